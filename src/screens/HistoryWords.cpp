#include "screens/HistoryWords.h"

#include "history/HistoryKeeper.h"

namespace {

// `sentence`, and the database's words under it when there are any.
QString WithDetail(const QString& sentence, const QString& detail) {
  return detail.isEmpty() ? sentence : sentence + QStringLiteral("\n（くわしく: %1）").arg(detail);
}

}  // namespace

QString NotKeptReason(NotKept why) {
  switch (why) {
    case NotKept::DiskFull:
      return QStringLiteral("ディスクがいっぱいです。");
    case NotKept::ReadOnly:
      return QStringLiteral("記録ファイルに書きこむことができません（読み取り専用）。");
    case NotKept::Locked:
      return QStringLiteral("記録ファイルをほかのプログラムが使っています。");
    case NotKept::Newer:
      return QStringLiteral("記録ファイルは新しい版のかなキャッチのものです。");
    case NotKept::Unavailable:
      return QStringLiteral("記録が使えません。");
    case NotKept::WriteError:
      break;
  }
  return QStringLiteral("記録ファイルに書きこめませんでした（ディスクのエラー）。");
}

QString NotKeptNote(const SaveReport& report) {
  return QStringLiteral("このゲームは記録されませんでした。\n") + NotKeptReason(report.why);
}

QString HistoryNotice(const HistoryStatus& status) {
  if (!status.ready) return QStringLiteral("記録を読み込んでいます…");
  QString notice;
  switch (status.outcome) {
    case OpenOutcome::Opened:
      break;
    case OpenOutcome::ReadOnly:
      notice =
          WithDetail(NotKeptReason(status.why) +
                         QStringLiteral("前のゲームは見られますが、新しいゲームは記録されません。"),
                     status.detail);
      break;
    case OpenOutcome::Damaged:
      notice = QStringLiteral("記録ファイルがこわれていたので %1 に移し、新しい記録を始めました。")
                   .arg(status.detail);
      break;
    case OpenOutcome::Locked:
      notice = QStringLiteral(
          "記録ファイルをほかのプログラムが使っているので、今回のゲームは記録しません。");
      break;
    case OpenOutcome::Newer:
      notice = QStringLiteral(
          "記録ファイルは新しい版のかなキャッチのものなので、そのままにして今回は記録しません。");
      break;
    case OpenOutcome::Unavailable:
      notice =
          WithDetail(QStringLiteral("記録は使えません。ゲームはそのまま遊べます。"), status.detail);
      break;
  }
  if (status.lastSaveFailed) {
    notice = WithDetail(
        QStringLiteral("最後のゲームは記録されませんでした。") + NotKeptReason(status.saveWhy),
        status.saveError);
  }
  if (status.gamesLeftOut > 0) {
    if (!notice.isEmpty()) notice += QLatin1Char('\n');
    notice += QStringLiteral("記録のうち %1 ゲームは数字がおかしいので、表示しません。")
                  .arg(status.gamesLeftOut);
  }
  return notice;
}

QString PracticeReasonWord(PracticeReason reason) {
  switch (reason) {
    case PracticeReason::Weak:
      return QStringLiteral("にがて");
    case PracticeReason::Due:
      return QStringLiteral("ひさしぶり");
    case PracticeReason::Resting:
      return QStringLiteral("おぼえた");
    case PracticeReason::New:
      return QStringLiteral("はじめて");
    case PracticeReason::NotYet:
      break;
  }
  return QStringLiteral("まだ");
}

QString DayText(QDate day) {
  static const char* const Weekdays[] = {"月", "火", "水", "木", "金", "土", "日"};
  if (!day.isValid()) return QStringLiteral("―");
  return QStringLiteral("%1月%2日（%3）")
      .arg(day.month())
      .arg(day.day())
      .arg(QString::fromUtf8(Weekdays[day.dayOfWeek() - 1]));
}
