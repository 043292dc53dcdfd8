// The history of games in an SQLite file, through Qt SQL: the module
// libkanacatch_history.so that the program loads once its title shows.
//
// The file holds one row per game and one row per string presented in it
// (as it was shown: katakana in a katakana game), each game written in one
// transaction, with a write-ahead log synced at every commit: a program
// killed at any moment loses at most the game it was writing. A file that is
// not a database or fails SQLite's integrity check is renamed, with its -wal
// and -shm files, and a fresh one begun; a file that another program locks,
// or that a newer version of the game wrote, is left exactly as it is. A game
// whose values are out of range is left out when the file is read.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <limits>
#include <optional>

#include "history/HistoryRanges.h"
#include "history/HistoryStore.h"

namespace {

// SQLite's primary result codes that decide what to do with a file.
enum SqliteCode {
  SqlitePermission = 3,
  SqliteBusy = 5,
  SqliteLocked = 6,
  SqliteReadOnly = 8,
  SqliteIoError = 10,
  SqliteCorrupt = 11,
  SqliteFull = 13,
  SqliteCantOpen = 14,
  SqliteNotADatabase = 26,
};

int CodeOf(const QSqlError& error) { return error.nativeErrorCode().toInt() & 0xff; }

bool IsDamage(const QSqlError& error) {
  return CodeOf(error) == SqliteCorrupt || CodeOf(error) == SqliteNotADatabase;
}

bool IsLock(const QSqlError& error) {
  return CodeOf(error) == SqliteBusy || CodeOf(error) == SqliteLocked;
}

NotKept WhyOf(const QSqlError& error) {
  switch (CodeOf(error)) {
    case SqliteFull:
      return NotKept::DiskFull;
    case SqlitePermission:
    case SqliteReadOnly:
    case SqliteCantOpen:
      return NotKept::ReadOnly;
    case SqliteBusy:
    case SqliteLocked:
      return NotKept::Locked;
    default:
      return NotKept::WriteError;
  }
}

// A column's value as an int; nothing for text, a null or a value beyond an
// int, which a game of this program never writes.
std::optional<int> IntOf(const QVariant& value) {
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(number);
}

// Each game with the rows of its strings, one row per string (a game without
// strings has one row, its strings' columns null), a game's rows together;
// `katakana` is the column, or 0 in a file of layout 1 that could not be
// brought up to date, whose games are all hiragana.
QString GamesWithTheirStrings(const QString& katakana) {
  return QStringLiteral(
             "SELECT game.id, played_at, lesson, speed, moji_total, game.presented, game.caught,"
             " mean_catch_ms, moji, moji_tally.presented, moji_tally.caught, escaped, catch_ms, %1"
             " FROM game LEFT JOIN moji_tally ON moji_tally.game_id = game.id ORDER BY game.id")
      .arg(katakana);
}

// The game of the row `rows` stands on, without its strings; nothing when a
// value is not a number that fits.
std::optional<GameRecord> GameOf(const QSqlQuery& rows) {
  GameRecord game;
  game.playedAt = QDateTime::fromString(rows.value(1).toString(), Qt::ISODateWithMs);
  int* fields[] = {&game.lessonNo,  &game.speedLevel, &game.mojiTotal,
                   &game.presented, &game.caught,     &game.meanCatchMs};
  for (int column = 2; column < 8; ++column) {
    const std::optional<int> value = IntOf(rows.value(column));
    if (!value) return std::nullopt;
    *fields[column - 2] = *value;
  }
  // 0 for hiragana, 1 for katakana; any other value the range check refuses.
  const std::optional<int> katakana = IntOf(rows.value(13));
  if (!katakana) return std::nullopt;
  game.script = static_cast<KanaScript>(*katakana);
  return game;
}

// Adds the string of the row `rows` stands on to `game`; false when a value
// is not a number that fits.
bool AddMojiOf(const QSqlQuery& rows, GameRecord& game) {
  const std::optional<int> presented = IntOf(rows.value(9)), caught = IntOf(rows.value(10)),
                           escaped = IntOf(rows.value(11));
  bool ok = false;
  const qlonglong catchMs = rows.value(12).toLongLong(&ok);
  if (!presented || !caught || !escaped || !ok) return false;
  game.moji[rows.value(8).toString()] = {*presented, *caught, *escaped, catchMs};
  return true;
}

// How a file of each older layout is brought up to the next, the steps from
// its version on run in order: version 0 is a new, empty file.
struct UpgradeStep {
  int from;
  const char* statement;
};
constexpr UpgradeStep UpgradeSteps[] = {
    {0,
     "CREATE TABLE game (id INTEGER PRIMARY KEY, played_at TEXT NOT NULL, lesson INTEGER NOT NULL,"
     " speed INTEGER NOT NULL, moji_total INTEGER NOT NULL, presented INTEGER NOT NULL,"
     " caught INTEGER NOT NULL, mean_catch_ms INTEGER NOT NULL)"},
    {0,
     "CREATE TABLE moji_tally (game_id INTEGER NOT NULL REFERENCES game (id), moji TEXT NOT NULL,"
     " presented INTEGER NOT NULL, caught INTEGER NOT NULL, escaped INTEGER NOT NULL,"
     " catch_ms INTEGER NOT NULL, PRIMARY KEY (game_id, moji)) WITHOUT ROWID"},
    // Whether the game was played in katakana: every game before was hiragana.
    {1, "ALTER TABLE game ADD COLUMN katakana INTEGER NOT NULL DEFAULT 0"},
    // Layout 3 keeps word games in the same tables: from 2 only the version
    // moves on, which tells an older copy of the game to leave the file alone.
};
// The first layout whose games keep their script.
constexpr int LayoutWithScript = 2;

class SqliteHistoryStore : public HistoryStore {
 public:
  SqliteHistoryStore() : name(QStringLiteral("kanacatch-history-%1").arg(quintptr(this))) {}
  ~SqliteHistoryStore() override { Close(); }

  OpenReport Open(const QString& file) override {
    Close();
    path = file;
    QDir().mkpath(QFileInfo(path).absolutePath());
    OpenReport report{OpenOutcome::Opened, {}};
    if (QFileInfo(path).size() > 0) report = Inspect();
    if (report.outcome == OpenOutcome::Opened) report = OpenWritable(OpenOutcome::Opened, {});
    // A file that is locked, newer, or damaged and could not be set aside is
    // never written to; one that could not be written is tried again.
    refused = report.outcome == OpenOutcome::Locked || report.outcome == OpenOutcome::Newer ||
              report.outcome == OpenOutcome::Unavailable;
    refusal = RefusedBecause(report.outcome);
    lastError = report.detail;
    return report;
  }

  History Load() override {
    History history;
    if (!db.isOpen()) return history;
    QVariant version;
    if (Run(QStringLiteral("PRAGMA user_version"), &version)) return history;
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(GamesWithTheirStrings(version.toInt() >= LayoutWithScript
                                             ? QStringLiteral("game.katakana")
                                             : QStringLiteral("0")))) {
      return history;
    }
    std::optional<qlonglong> id;
    std::optional<GameRecord> game;
    const auto finish = [&] {
      if (!id) return;
      if (game && InRange(*game)) {
        AddToHistory(history, *game);
      } else {
        history.gamesLeftOut.push_back(*id);
      }
    };
    while (rows.next()) {
      if (const qlonglong row = rows.value(0).toLongLong(); row != id) {
        finish();
        id = row;
        game = GameOf(rows);
      }
      if (game && !rows.isNull(8) && !AddMojiOf(rows, *game)) game.reset();
    }
    finish();
    return history;
  }

  SaveReport Save(const GameRecord& game) override {
    if (refused) return {false, refusal, lastError};
    if (!writable) {
      const OpenReport reopened = OpenWritable(OpenOutcome::Opened, {});
      if (reopened.outcome != OpenOutcome::Opened) return {false, reopened.why, lastError};
    }
    if (!db.transaction()) return Failed(db.lastError());
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO game (played_at, lesson, speed, moji_total, presented, caught, mean_catch_ms,"
        " katakana) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(game.playedAt.toUTC().toString(Qt::ISODateWithMs)), QVariant(game.lessonNo),
          QVariant(game.speedLevel), QVariant(game.mojiTotal), QVariant(game.presented),
          QVariant(game.caught), QVariant(game.meanCatchMs),
          QVariant(game.script == KanaScript::Katakana ? 1 : 0)}) {
      insert.addBindValue(value);
    }
    if (!insert.exec()) return RolledBack(insert.lastError());
    const qlonglong id = insert.lastInsertId().toLongLong();
    QSqlQuery tally(db);
    tally.prepare(
        QStringLiteral("INSERT INTO moji_tally (game_id, moji, presented, caught, escaped,"
                       " catch_ms) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const auto& [moji, figures] : game.moji) {
      for (const QVariant& value :
           {QVariant(id), QVariant(moji), QVariant(figures.presented), QVariant(figures.caught),
            QVariant(figures.escaped), QVariant(qlonglong(figures.catchMs))}) {
        tally.addBindValue(value);
      }
      if (!tally.exec()) return RolledBack(tally.lastError());
    }
    if (!db.commit()) return RolledBack(db.lastError());
    return {true, {}, {}};
  }

 private:
  QString name;
  QString path;
  QSqlDatabase db;
  bool writable = false;
  bool refused = false;  // nothing is saved into this file
  NotKept refusal = NotKept::Unavailable;
  QString lastError;

  void Close() {
    if (!db.isValid()) return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    writable = false;
  }

  // Opens the connection; `options` are the driver's connect options.
  std::optional<QSqlError> Connect(const QString& database, const QString& options) {
    Close();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    if (!db.isValid()) return db.lastError();
    db.setDatabaseName(database);
    db.setConnectOptions(options);
    if (!db.open()) return db.lastError();
    return std::nullopt;
  }

  // Runs `sql`; the first column of its first row, or the error.
  std::optional<QSqlError> Run(const QString& sql, QVariant* answer = nullptr) {
    QSqlQuery query(db);
    if (!query.exec(sql)) return query.lastError();
    if (answer) *answer = query.next() ? query.value(0) : QVariant();
    return std::nullopt;
  }

  // Opens the file for reading only, and reads its layout version. In a
  // folder it cannot write to, or on a full disk where it cannot make the
  // log's index, SQLite reads a file in write-ahead-log mode only when told
  // that nothing changes it (and then reads no game still in the log).
  std::optional<QSqlError> ConnectForReading(QVariant* version) {
    const QString options = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=300");
    std::optional<QSqlError> error = Connect(path, options);
    if (!error) error = Run(QStringLiteral("PRAGMA user_version"), version);
    if (error && (CodeOf(*error) == SqliteCantOpen || CodeOf(*error) == SqliteReadOnly ||
                  CodeOf(*error) == SqliteIoError || CodeOf(*error) == SqliteFull)) {
      QUrl url = QUrl::fromLocalFile(path);
      url.setQuery(QStringLiteral("immutable=1"));
      error = Connect(url.toString(), options + QStringLiteral(";QSQLITE_OPEN_URI"));
      if (!error) error = Run(QStringLiteral("PRAGMA user_version"), version);
    }
    return error;
  }

  // Looks at an existing file without writing to it: its layout version and
  // SQLite's integrity check. Moves a damaged file aside.
  OpenReport Inspect() {
    QVariant version;
    std::optional<QSqlError> error = ConnectForReading(&version);
    QVariant check;
    if (!error && version.toInt() <= HistorySchemaVersion) {
      error = Run(QStringLiteral("PRAGMA integrity_check(1)"), &check);
    }
    if (error && IsLock(*error)) return Refuse(OpenOutcome::Locked, *error);
    if ((error && IsDamage(*error)) || (!error && check.isValid() && check != "ok")) {
      return MoveAside();
    }
    if (error) return Refuse(OpenOutcome::Unavailable, *error);
    if (version.toInt() > HistorySchemaVersion) {
      return Refuse(OpenOutcome::Newer, {}, QString::number(version.toInt()));
    }
    return {OpenOutcome::Opened, {}};
  }

  OpenReport Refuse(OpenOutcome outcome, const QSqlError& error, const QString& detail = {}) {
    Close();
    return {outcome, detail.isEmpty() ? error.text() : detail};
  }

  // Renames the damaged file and its -wal and -shm files to a name not yet
  // taken, and begins a fresh file.
  OpenReport MoveAside() {
    Close();
    const QFileInfo file(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside;
    for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n) {
      aside = file.dir().filePath(file.completeBaseName() + QStringLiteral("-damaged-") + stamp +
                                  (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                                  QStringLiteral(".") + file.suffix());
    }
    if (!QFile::rename(path, aside)) {
      return {OpenOutcome::Unavailable, QStringLiteral("cannot rename ") + file.fileName()};
    }
    for (const char* companion : {"-wal", "-shm"}) {
      if (QFileInfo::exists(path + companion)) QFile::rename(path + companion, aside + companion);
    }
    return OpenWritable(OpenOutcome::Damaged, QFileInfo(aside).fileName());
  }

  // Opens the file for writing: the write-ahead log, a sync at every
  // commit, the layout brought up to date, and a check that no other
  // program holds the file. A file that cannot be written is still read,
  // and saving is tried again at every game; a locked one is only read.
  OpenReport OpenWritable(OpenOutcome outcome, const QString& detail) {
    std::optional<QSqlError> error = Connect(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
    QVariant version;
    if (!error) error = Run(QStringLiteral("PRAGMA user_version"), &version);
    if (!error && version.toInt() > HistorySchemaVersion) {
      return Refuse(OpenOutcome::Newer, {}, QString::number(version.toInt()));
    }
    if (!error) error = Run(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (!error) error = Run(QStringLiteral("PRAGMA synchronous=FULL"));
    if (!error) error = Upgrade(version.toInt());
    if (!error) error = Run(QStringLiteral("BEGIN IMMEDIATE"));
    if (!error) error = Run(QStringLiteral("ROLLBACK"));
    if (!error) {
      writable = true;
      return {outcome, detail};
    }
    lastError = error->text();
    QVariant readVersion;
    if (ConnectForReading(&readVersion)) Close();
    return {IsLock(*error) ? OpenOutcome::Locked : OpenOutcome::ReadOnly, lastError, WhyOf(*error)};
  }

  // Brings a file of layout `version` up to this program's, in one
  // transaction.
  std::optional<QSqlError> Upgrade(int version) {
    if (version == HistorySchemaVersion) return std::nullopt;
    if (!db.transaction()) return db.lastError();
    for (const UpgradeStep& step : UpgradeSteps) {
      if (step.from < version) continue;
      if (auto error = Run(QString::fromUtf8(step.statement))) return RollBackWith(*error);
    }
    if (auto error = Run(QStringLiteral("PRAGMA user_version = %1").arg(HistorySchemaVersion))) {
      return RollBackWith(*error);
    }
    if (!db.commit()) return RollBackWith(db.lastError());
    return std::nullopt;
  }

  QSqlError RollBackWith(const QSqlError& error) {
    db.rollback();
    return error;
  }

  SaveReport Failed(const QSqlError& error) { return {false, WhyOf(error), error.text()}; }
  SaveReport RolledBack(const QSqlError& error) { return Failed(RollBackWith(error)); }
};

}  // namespace

extern "C" Q_DECL_EXPORT HistoryStore* kanacatch_create_history_store() {
  return new SqliteHistoryStore;
}
