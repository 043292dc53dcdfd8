#include "app/CachedPanelStyle.h"

#include <QPainter>
#include <QStyleOption>

CachedPanelStyle::CachedPanelStyle(QStyle* base) : QProxyStyle(base) {}

void CachedPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
  const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (element != PE_PanelLineEdit || !frame) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const qreal ratio = painter->device()->devicePixelRatio();
  const QString key = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                          .arg(frame->rect.width())
                          .arg(frame->rect.height())
                          .arg(int(frame->state))
                          .arg(frame->palette.cacheKey())
                          .arg(frame->lineWidth)
                          .arg(int(frame->features))
                          .arg(int(frame->direction))
                          .arg(ratio);
  if (key != panelKey) {
    panel = QPixmap(frame->rect.size() * ratio);
    panel.setDevicePixelRatio(ratio);
    panel.fill(Qt::transparent);
    QStyleOptionFrame at(*frame);
    at.rect.moveTo(0, 0);
    QPainter onPanel(&panel);
    QProxyStyle::drawPrimitive(element, &at, &onPanel, widget);
    panelKey = key;
  }
  painter->drawPixmap(frame->rect.topLeft(), panel);
}
