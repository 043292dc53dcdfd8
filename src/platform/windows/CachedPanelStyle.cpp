#include "platform/windows/CachedPanelStyle.h"

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
  const PanelKey key{frame->rect.size(),
                     int(frame->state),
                     frame->palette.cacheKey(),
                     frame->lineWidth,
                     int(frame->features),
                     int(frame->direction),
                     ratio};
  if (panel.isNull() || !(key == panelKey)) {
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
