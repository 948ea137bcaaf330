#include "platform/database.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>
#include <optional>

namespace {

const QString driverName = QStringLiteral("QSQLITE");

// The extra first column an editable set is read with: the row's key for UPDATE and for reading a posted row
// back. Named explicitly because SQLite would otherwise report the rowid under the name of an INTEGER PRIMARY
// KEY column ("ID"), and the select list may hold that column too.
const QString rowIdColumn = QStringLiteral("brennoc_rowid");

constexpr auto sqlOptions = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption |
                            QRegularExpression::DotMatchesEverythingOption;

QString describe(const QSqlError& error, const QString& sql) {
    return QStringLiteral("database error: %1 (in: %2)").arg(error.text(), sql);
}

// Removes a connection; every QSqlDatabase handle on it must be gone by then, so this takes only the name.
void dropConnection(const QString& name) {
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The open connection behind `db`; a closed database throws instead of letting Qt report "driver not loaded".
QSqlDatabase connectionOf(const Database& db) {
    if (!db.isOpen())
        throw Failure(QStringLiteral("database is not open"));
    return QSqlDatabase::database(db.connectionName(), false);
}

// The old engine's auto-number column type. Only a column's type position in a CREATE TABLE is rewritten (a
// name after "(" or "," and then "Counter" as a whole word), so a column or value named "Counter" elsewhere
// stays as it is. A "Primary Key" after it is taken in, since the replacement already says so.
QString translateSql(const QString& sql) {
    static const QRegularExpression createTable(QStringLiteral(R"(^\s*create\s+table\b)"), sqlOptions);
    static const QRegularExpression counterType(
        QStringLiteral(R"(([(,]\s*[^\s,()]+\s+)counter\b(?:\s+primary\s+key\b)?)"), sqlOptions);
    if (!createTable.match(sql).hasMatch())
        return sql;
    QString translated = sql;
    translated.replace(counterType, QStringLiteral("\\1INTEGER PRIMARY KEY AUTOINCREMENT"));
    return translated;
}

QSqlQuery run(QSqlDatabase db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw Failure(describe(query.lastError(), sql));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw Failure(describe(query.lastError(), sql));
    return query;
}

QString quoted(const QString& identifier) {
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The parts of a select that can be edited row by row: one plain table and a select list of plain columns
// ("*" or names), nothing that merges or computes rows. Anything else yields an empty table (read-only).
struct EditableSelect {
    QString list;
    QString table;
    QString rest;
};

EditableSelect editableParts(const QString& sql) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+([^\s,();]+)((?:\s+.*|;.*)?)$)"), sqlOptions);
    static const QRegularExpression plainList(QStringLiteral(R"(^\s*(\*|[^\s,()'"*]+(\s*,\s*[^\s,()'"*]+)*)\s*$)"),
                                              sqlOptions);
    static const QRegularExpression plainRest(QStringLiteral(R"(^\s*(;?\s*$|where\b|order\s+by\b|limit\b))"),
                                              sqlOptions);
    static const QRegularExpression mergingWord(
        QStringLiteral(R"(\b(join|group|union|intersect|except|having|distinct)\b)"), sqlOptions);
    const QRegularExpressionMatch match = shape.match(sql);
    if (!match.hasMatch())
        return {};
    const QString list = match.captured(1);
    const QString rest = match.captured(3);
    if (!plainList.match(list).hasMatch() || !plainRest.match(rest).hasMatch() || mergingWord.match(list).hasMatch() ||
        mergingWord.match(rest).hasMatch())
        return {};
    return {list.trimmed(), match.captured(2), rest};
}

QVariant valueAt(const QSqlQuery& query, int column) {
    return query.isNull(column) ? QVariant() : query.value(column);
}

} // namespace

Database::Database() {
    static std::atomic<int> serial = 0;
    connection_ = QStringLiteral("brennoc-database-%1").arg(++serial);
}

Database::~Database() {
    close();
}

void Database::open(const QString& path) {
    close();
    if (path.isEmpty())
        throw Failure(QStringLiteral("no database file named"));
    if (!QSqlDatabase::isDriverAvailable(driverName))
        throw Failure(QStringLiteral("the SQLite driver of Qt SQL is not installed"));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, connection_);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            // SQLite reads the file only at the first statement; reading the catalogue here refuses a file
            // that is not a database before anyone can write to it.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")))
                error = probe.lastError().text();
        }
    }
    if (!error.isEmpty()) {
        dropConnection(connection_);
        throw Failure(QStringLiteral("cannot open database %1: %2").arg(path, error));
    }
    path_ = path;
}

bool Database::isOpen() const {
    return QSqlDatabase::contains(connection_);
}

void Database::close() {
    if (QSqlDatabase::contains(connection_))
        dropConnection(connection_);
    path_.clear();
}

void Database::execute(const QString& sql) {
    run(connectionOf(*this), translateSql(sql));
}

QStringList Database::tables() const {
    QSqlQuery query = run(connectionOf(*this), QStringLiteral("select name from sqlite_master where type = 'table' "
                                                              "and name not like 'sqlite\\_%' escape '\\' "
                                                              "order by rowid"));
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

void Database::beginTransaction() {
    QSqlDatabase db = connectionOf(*this);
    if (!db.transaction())
        throw Failure(describe(db.lastError(), QStringLiteral("begin transaction")));
}

void Database::commit() {
    QSqlDatabase db = connectionOf(*this);
    if (!db.commit())
        throw Failure(describe(db.lastError(), QStringLiteral("commit")));
}

void Database::rollback() {
    QSqlDatabase db = connectionOf(*this);
    if (!db.rollback())
        throw Failure(describe(db.lastError(), QStringLiteral("rollback")));
}

Dataset::Dataset(Database& db) : db_(db) {}

void Dataset::open(const QString& sql) {
    close();
    QSqlDatabase db = connectionOf(db_);
    const EditableSelect parts = editableParts(sql);
    std::optional<QSqlQuery> query;
    if (!parts.table.isEmpty()) {
        // A view or a table without rowid refuses the key column; such a set still opens, read-only.
        try {
            query = run(db, QStringLiteral("select rowid as %1, %2 from %3%4")
                                .arg(rowIdColumn, parts.list, parts.table, parts.rest));
            table_ = parts.table;
            selectList_ = parts.list;
        } catch (const Failure&) {
            query.reset();
        }
    }
    if (!query)
        query = run(db, sql);
    if (!query->isSelect())
        throw Failure(QStringLiteral("not a query that returns rows: %1").arg(sql));

    const int keyColumns = table_.isEmpty() ? 0 : 1;
    const QSqlRecord record = query->record();
    for (int column = keyColumns; column < record.count(); ++column)
        columns_.append(record.fieldName(column));
    while (query->next()) {
        QList<QVariant> row;
        for (int column = keyColumns; column < record.count(); ++column)
            row.append(valueAt(*query, column));
        rows_.append(row);
        if (keyColumns != 0)
            rowIds_.append(query->value(0).toLongLong());
    }
    open_ = true;
}

void Dataset::close() {
    table_.clear();
    selectList_.clear();
    columns_.clear();
    rows_.clear();
    rowIds_.clear();
    current_ = 0;
    open_ = false;
    mode_ = Mode::Browse;
    pending_.clear();
}

bool Dataset::eof() const {
    return current_ >= rows_.size();
}

void Dataset::first() {
    current_ = 0;
}

void Dataset::next() {
    if (!eof())
        ++current_;
}

qsizetype Dataset::columnIndex(const QString& name) const {
    if (!open_)
        throw Failure(QStringLiteral("dataset is not open"));
    for (qsizetype column = 0; column < columns_.size(); ++column) {
        if (columns_[column].compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    throw Failure(QStringLiteral("no field named %1").arg(name));
}

// The value a reader sees: while a row is being appended or edited, the values set so far win.
QVariant Dataset::currentValue(qsizetype column) const {
    if (mode_ != Mode::Browse) {
        for (const auto& [name, value] : pending_) {
            if (name == columns_[column])
                return value;
        }
        if (mode_ == Mode::Append)
            return {};
    }
    if (eof())
        throw Failure(QStringLiteral("no current row (end of dataset)"));
    return rows_[current_][column];
}

QVariant Dataset::field(const QString& name) const {
    return currentValue(columnIndex(name));
}

QVariant Dataset::fieldAt(int column) const {
    if (!open_)
        throw Failure(QStringLiteral("dataset is not open"));
    if (column < 0 || column >= columns_.size())
        throw Failure(QStringLiteral("no field at position %1 (%2 fields)").arg(column).arg(columns_.size()));
    return currentValue(column);
}

QString Dataset::text(const QString& name) const {
    return field(name).toString();
}

void Dataset::startEditing(const char* operation) {
    if (!open_)
        throw Failure(QStringLiteral("dataset is not open"));
    if (table_.isEmpty())
        throw Failure(QStringLiteral("%1 on a read-only query").arg(QString::fromLatin1(operation)));
    pending_.clear();
}

void Dataset::append() {
    startEditing("append");
    mode_ = Mode::Append;
}

// The old engine's habit, which settings rows rely on: editing the first row of a table that has no rows
// creates that row.
void Dataset::edit() {
    startEditing("edit");
    if (rows_.isEmpty()) {
        mode_ = Mode::Append;
        return;
    }
    if (eof())
        throw Failure(QStringLiteral("edit with no current row (end of dataset)"));
    mode_ = Mode::Edit;
}

void Dataset::setField(const QString& name, const QVariant& value) {
    const QString column = columns_[columnIndex(name)];
    if (mode_ == Mode::Browse)
        throw Failure(QStringLiteral("setting field %1 without append or edit").arg(name));
    for (auto& [pendingName, pendingValue] : pending_) {
        if (pendingName == column) {
            pendingValue = value;
            return;
        }
    }
    pending_.append({column, value});
}

qint64 Dataset::insertRow() {
    if (pending_.isEmpty())
        return run(connectionOf(db_), QStringLiteral("insert into %1 default values").arg(table_))
            .lastInsertId()
            .toLongLong();
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (const auto& [name, value] : pending_) {
        names.append(quoted(name));
        marks.append(QStringLiteral("?"));
        values.append(value);
    }
    const QString sql =
        QStringLiteral("insert into %1 (%2) values (%3)").arg(table_, names.join(u','), marks.join(u','));
    return run(connectionOf(db_), sql, values).lastInsertId().toLongLong();
}

void Dataset::updateRow(qint64 rowId) {
    if (pending_.isEmpty())
        return;
    QStringList assignments;
    QVariantList values;
    for (const auto& [name, value] : pending_) {
        assignments.append(quoted(name) + QStringLiteral(" = ?"));
        values.append(value);
    }
    values.append(rowId);
    const QString sql = QStringLiteral("update %1 set %2 where rowid = ?").arg(table_, assignments.join(u','));
    if (run(connectionOf(db_), sql, values).numRowsAffected() != 1)
        throw Failure(QStringLiteral("the edited row of %1 no longer exists").arg(table_));
}

// Reads a posted row as stored, so the set shows what the columns made of the values (an auto-number, an
// integer column's number).
QList<QVariant> Dataset::readRow(qint64 rowId) const {
    const QString sql = QStringLiteral("select %1 from %2 where rowid = ?").arg(selectList_, table_);
    QSqlQuery query = run(connectionOf(db_), sql, {rowId});
    if (!query.next())
        throw Failure(QStringLiteral("the posted row of %1 cannot be read back").arg(table_));
    QList<QVariant> row;
    for (qsizetype column = 0; column < columns_.size(); ++column)
        row.append(valueAt(query, static_cast<int>(column)));
    return row;
}

void Dataset::post() {
    if (mode_ == Mode::Browse)
        throw Failure(QStringLiteral("post without append or edit"));
    if (mode_ == Mode::Append) {
        const qint64 rowId = insertRow();
        rows_.append(readRow(rowId));
        rowIds_.append(rowId);
        current_ = rows_.size() - 1;
    } else {
        updateRow(rowIds_[current_]);
        rows_[current_] = readRow(rowIds_[current_]);
    }
    mode_ = Mode::Browse;
    pending_.clear();
}
