// The answers of a SQLite store read, its statements that answer no rows
// run (writes, savepoints) and its change history written, through
// SQLite's C library on the very connection Qt Sql holds. Big
// answers (a configuration's partition list, every node maximum) and big
// histories (an import's million changes) spend most of their time in Qt
// Sql's value by value QVariant traffic and binding; here each column's kind
// is settled once per read, and each value goes straight into its row or its
// statement.
//
// The values come out exactly as Qt's SQLite driver gives them: texts read
// as UTF-16 (as SQLite decodes them), and whatever a column holds beside its
// own kind (a blob in a text column, a text or a fraction in an integer
// column) becomes the QVariant the driver would give and is judged by
// fieldValue(), as on every other read. Each statement is prepared at its
// first read, reset after each, and finalized when the store closes, before
// Qt closes the connection.
//
// Windows: Qt's SQLite driver carries its own copy of SQLite there, whose
// handles no other copy of the library may use; reads and the history go
// through Qt Sql.
#include "server/ReferenceStore.h"

#include "server/AnswerValues.h"
#include "server/StoreStatements.h"

#include <QSqlDriver>
#include <QSqlError>
#include <algorithm>
#include <limits>

#ifndef _WIN32
#include <sqlite3.h>
#endif

namespace server {

#ifdef _WIN32

bool ReferenceStore::mayReadDirectly() const { return false; }

bool ReferenceStore::sqliteTransactionLost() const { return false; }

std::optional<RecordSet> ReferenceStore::directAnswer(const QString &, const QVariantList &,
                                                      const QList<FieldInfo> &) const
{
    return std::nullopt;
}

void ReferenceStore::finalizeDirectStatements() noexcept {}

bool ReferenceStore::recordHistoryDirectly(const QList<std::pair<PartitionKey, Change::Value>> &,
                                           const std::array<QString, 3> &, const QString &)
{
    return false;
}

std::optional<qsizetype> ReferenceStore::directWrite(const QString &, const QVariantList &) { return std::nullopt; }

#else

namespace {

// SQLite's last error on the connection, as the store reports a Qt Sql one.
QSqlError errorOf(sqlite3 *db) { return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db))); }

const QString kCouldNotRun = QStringLiteral("could not carry out the statement");

// The connection's SQLite handle, or null when Qt's driver holds none.
sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.isValid() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// Resets its statement (if any) on every way out of a read or write, so that
// no read stays open (and holds its snapshot of the database) after it.
struct Statement
{
    sqlite3_stmt *handle = nullptr;
    explicit Statement(sqlite3_stmt *statement) : handle(statement) {}
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement()
    {
        if (!handle)
            return;
        sqlite3_reset(handle);
        sqlite3_clear_bindings(handle);
    }
};

bool isAscii(const unsigned char *text, int length)
{
    unsigned char bits = 0;
    for (int i = 0; i < length; ++i)
        bits |= text[i];
    return bits < 0x80;
}

// A text as SQLite converts it to UTF-16. ASCII, most of what a store holds,
// is widened here at once: SQLite's own conversion takes a few hundred
// instructions per value.
QString textOf(sqlite3_stmt *statement, int column)
{
    const unsigned char *utf8 = sqlite3_column_text(statement, column);
    const int length = sqlite3_column_bytes(statement, column);
    if (utf8 && isAscii(utf8, length))
        return QString::fromLatin1(reinterpret_cast<const char *>(utf8), length);
    const void *text = sqlite3_column_text16(statement, column);
    return QString(static_cast<const QChar *>(text), sqlite3_column_bytes16(statement, column) / int(sizeof(QChar)));
}

// A column's value as Qt's SQLite driver gives it.
QVariant driverValue(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return qlonglong(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT: return sqlite3_column_double(statement, column);
    case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    default: return textOf(statement, column);
    }
}

// Binds a value as Qt's driver binds it; false for a kind this read leaves
// to Qt Sql.
bool bindable(const QVariant &value)
{
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::QString: return true;
    default: return false;
    }
}

int bind(sqlite3_stmt *statement, int position, const QVariant &value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, position);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement, position, text.utf16(), int(text.size() * sizeof(QChar)),
                                   SQLITE_TRANSIENT);
    }
    return sqlite3_bind_int64(statement, position, value.toLongLong());
}

} // namespace

// Only a handle of the very library this code calls: the same build of
// SQLite answers through Qt and here (Qt's driver links the system's SQLite
// on Debian; a Qt built with a copy of its own keeps reading through Qt Sql).
bool ReferenceStore::mayReadDirectly() const
{
    sqlite3 *const db = handleOf(database());
    if (!db)
        return false;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT sqlite_source_id()")) || !query.next()
        || query.value(0).toString() != QLatin1String(sqlite3_sourceid()))
        return false;
    // The same release could still be another copy of the library (one that
    // Qt carries in its driver): then its connection's file system layer is
    // not this copy's.
    sqlite3_vfs *vfs = nullptr;
    return sqlite3_file_control(db, "main", SQLITE_FCNTL_VFS_POINTER, &vfs) == SQLITE_OK && vfs
           && vfs == sqlite3_vfs_find(vfs->zName);
}

bool ReferenceStore::sqliteTransactionLost() const
{
    if (!m_unit || !m_unit->begun || !m_sqliteDirect)
        return false;
    sqlite3 *const db = handleOf(database());
    return db && sqlite3_get_autocommit(db) != 0;
}

std::optional<RecordSet> ReferenceStore::directAnswer(const QString &sql, const QVariantList &values,
                                                      const QList<FieldInfo> &layout) const
{
    requireOpen();
    sqlite3 *const db = handleOf(database());
    if (!db || !std::all_of(values.begin(), values.end(), bindable))
        return std::nullopt;

    const Statement statement(directStatement(db, sql));
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (bind(statement.handle, int(i) + 1, values.at(i)) != SQLITE_OK)
            fail(kCouldNotRun, errorOf(db));
    }

    QList<ColumnKind> kinds;
    kinds.reserve(layout.size());
    for (const FieldInfo &field : layout)
        kinds.append(columnKind(field));
    const int columns = int(layout.size());
    RecordSet records(layout);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.handle)) == SQLITE_ROW) {
        RecordSet::Row row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            const int type = sqlite3_column_type(statement.handle, i);
            const qint64 integer = type == SQLITE_INTEGER ? sqlite3_column_int64(statement.handle, i) : 0;
            if (type == SQLITE_NULL) {
                row.append(Variant());
            } else if (kinds.at(i) == ColumnKind::Text && type == SQLITE_TEXT) {
                row.append(Variant::text(textOf(statement.handle, i)));
            } else if (type == SQLITE_INTEGER && kinds.at(i) != ColumnKind::Text && fits(integer, kinds.at(i))) {
                row.append(Variant::integer(integer));
            } else if (std::optional<Variant> value = fieldValue(driverValue(statement.handle, i), layout.at(i))) {
                row.append(std::move(*value));
            } else {
                throw wrongKind(layout, i, records.rows().size(),
                                [&statement](int column) { return driverValue(statement.handle, column).toString(); });
            }
        }
        records.addRow(std::move(row));
    }
    if (step != SQLITE_DONE)
        fail(kCouldNotRun, errorOf(db));
    return records;
}

sqlite3_stmt *ReferenceStore::directStatement(sqlite3 *db, const QString &sql) const
{
    auto cached = m_directStatements.find(sql);
    if (cached == m_directStatements.end()) {
        sqlite3_stmt *prepared = nullptr;
        if (sqlite3_prepare_v3(db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr)
            != SQLITE_OK) {
            sqlite3_finalize(prepared);
            fail(QStringLiteral("refused the statement"), errorOf(db));
        }
        cached = m_directStatements.emplace(sql, prepared).first;
    }
    return cached->second;
}

std::optional<qsizetype> ReferenceStore::directWrite(const QString &sql, const QVariantList &values)
{
    requireOpen();
    sqlite3 *const db = handleOf(database());
    if (!db || !std::all_of(values.begin(), values.end(), bindable))
        return std::nullopt;
    const Statement statement(directStatement(db, sql));
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (bind(statement.handle, int(i) + 1, values.at(i)) != SQLITE_OK)
            fail(kCouldNotRun, errorOf(db));
    }
    if (sqlite3_step(statement.handle) != SQLITE_DONE)
        fail(kCouldNotRun, errorOf(db));
    return qsizetype(sqlite3_changes(db));
}

// The changes in statements of kChangesPerStatement rows, the last few one
// row a statement: SQLite's work for a statement (its start and end, the
// table's key counter) is then shared by many rows. The time, user and
// machine are bound once, as bindings outlive a statement's reset; a row's
// own texts stay alive in rowTexts until the step after their binding.
bool ReferenceStore::recordHistoryDirectly(const QList<std::pair<PartitionKey, Change::Value>> &changes,
                                           const std::array<QString, 3> &whenWhoWhere, const QString &itemWords)
{
    sqlite3 *const db = handleOf(database());
    if (!db)
        return false;
    constexpr int kColumns = 8;
    std::array<std::array<QString, 3>, kChangesPerStatement> rowTexts; // item, before, after
    // A small save (an Apply) takes the one-row statement alone.
    const Statement many(
        changes.size() >= kChangesPerStatement ? directStatement(db, insertChanges(kChangesPerStatement)) : nullptr);
    const Statement one(directStatement(db, storeStatements().insertChange));
    const auto check = [this, db](int result) {
        if (result != SQLITE_OK)
            fail(kCouldNotRun, errorOf(db));
    };
    const auto bindText = [&](sqlite3_stmt *statement, int position, const QString &text) {
        check(text.isNull() ? sqlite3_bind_null(statement, position)
              : text.size() > std::numeric_limits<int>::max() / 2
                  ? SQLITE_TOOBIG
                  : sqlite3_bind_text16(statement, position, text.utf16(), int(text.size() * sizeof(QChar)),
                                        SQLITE_STATIC));
    };
    for (const auto &[statement, rows] :
         {std::pair{many.handle, int(kChangesPerStatement)}, std::pair{one.handle, 1}}) {
        if (!statement)
            continue;
        for (int row = 0; row < rows; ++row)
            for (int i = 0; i < 3; ++i)
                bindText(statement, row * kColumns + i + 1, whenWhoWhere.at(i));
    }

    for (qsizetype first = 0; first < changes.size();) {
        const bool full = changes.size() - first >= kChangesPerStatement;
        sqlite3_stmt *const statement = full ? many.handle : one.handle;
        const int rows = full ? int(kChangesPerStatement) : 1;
        for (int row = 0; row < rows; ++row) {
            const auto &[key, value] = changes.at(first + row);
            auto &[item, before, after] = rowTexts.at(row);
            item = itemWords.isEmpty() ? value.item : value.item + itemWords;
            before = value.before.isNull() ? QString() : value.before.toString();
            after = value.after.isNull() ? QString() : value.after.toString();
            const int base = row * kColumns;
            check(sqlite3_bind_int(statement, base + 4, key.first));
            check(sqlite3_bind_int(statement, base + 5, key.second));
            bindText(statement, base + 6, item);
            bindText(statement, base + 7, before);
            bindText(statement, base + 8, after);
        }
        if (sqlite3_step(statement) != SQLITE_DONE)
            fail(kCouldNotRun, errorOf(db));
        sqlite3_reset(statement);
        first += rows;
    }
    return true;
}

void ReferenceStore::finalizeDirectStatements() noexcept
{
    for (const auto &[sql, statement] : m_directStatements)
        sqlite3_finalize(statement);
    m_directStatements.clear();
}

#endif

} // namespace server
