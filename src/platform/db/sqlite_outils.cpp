#include "platform/db/sqlite_outils.h"
#include "platform/db/erreurs_moteur.h"
#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

namespace db::sqlite {

void lever(sqlite3* p, int rc, const QString& chemin) {
    const QString message = p ? QString::fromUtf8(sqlite3_errmsg(p)) : QString();
    const int etendu = p ? sqlite3_extended_errcode(p) : rc;
    QString fichier = chemin;
    if (fichier.isEmpty() && p) {
        const char* nom = sqlite3_db_filename(p, "main");
        if (nom) fichier = QString::fromUtf8(nom);
    }
    const QString detail = fichier.isEmpty() ? QString() : fichier_concerne(fichier);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: db::lever(erreurs::Verrouille, detail);
    case SQLITE_NOTADB: db::lever(erreurs::FormatNonReconnu, detail);
    case SQLITE_CORRUPT: db::lever(erreurs::BaseEndommagee, detail);
    case SQLITE_CANTOPEN: db::lever(erreurs::OuvertureImpossible, detail);
    case SQLITE_FULL: db::lever(erreurs::DisquePlein, detail);
    case SQLITE_IOERR: db::lever(erreurs::EntreeSortie, detail);
    case SQLITE_READONLY:
        // Here a file open elsewhere can be deleted or replaced (a compaction, a restore):
        // SQLite then refuses to write into the orphaned file.
        if (etendu == SQLITE_READONLY_DBMOVED) db::lever(erreurs::FichierRemplace, detail);
        db::lever(erreurs::LectureSeule, detail);
    case SQLITE_CONSTRAINT:
        if (etendu == SQLITE_CONSTRAINT_UNIQUE || etendu == SQLITE_CONSTRAINT_PRIMARYKEY)
            db::lever(erreurs::Doublon);
        break;
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table")))
            db::lever(erreurs::TableIntrouvable, QStringLiteral(" (%1)").arg(message.mid(15)));
        if (message.startsWith(QLatin1String("no such column")))
            db::lever(erreurs::ElementIntrouvable, QStringLiteral(" (%1)").arg(message.mid(16)));
        if (message.contains(QLatin1String("syntax error")))
            db::lever(erreurs::SyntaxeRequete);
        break;
    }
    db::lever(erreurs::ErreurMoteur, QStringLiteral(" (%1)").arg(message) + detail);
}

Instruction::Instruction(sqlite3* p, const QString& sql) : p_(p) {
    const QByteArray texte = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(p, texte.constData(), int(texte.size()), &s, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(s);
        s = nullptr;
        lever(p, rc);
    }
}

Instruction::Instruction(sqlite3* p, sqlite3_stmt* gardee) : s(gardee), p_(p), gardee_(true) {}

Instruction::~Instruction() {
    if (gardee_) sqlite3_reset(s);
    else sqlite3_finalize(s);
}

void Instruction::lier(const QVariantList& parametres) {
    for (int i = 0; i < parametres.size(); ++i) lier(i + 1, parametres[i]);
}

void Instruction::lier(int index, const QVariant& v) {
    int rc = SQLITE_OK;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(s, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool: rc = sqlite3_bind_int(s, index, v.toBool() ? 1 : 0); break;
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt:
        case QMetaType::ULongLong: case QMetaType::Long: case QMetaType::Short:
            rc = sqlite3_bind_int64(s, index, v.toLongLong()); break;
        case QMetaType::Double: case QMetaType::Float:
            rc = sqlite3_bind_double(s, index, v.toDouble()); break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text(s, index, v.toDate().toString(Qt::ISODate).toUtf8().constData(), -1,
                                   SQLITE_TRANSIENT);
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(s, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(s, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) lever(p_, rc);
}

bool Instruction::pas() {
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    lever(p_, rc);
}

int Instruction::colonnes() const { return sqlite3_column_count(s); }

QVariant Instruction::valeur(int c) const {
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(s, c)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(s, c));
    case SQLITE_TEXT:
        return QVariant(texte(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)),
                                   sqlite3_column_bytes(s, c)));
    default: return QVariant();
    }
}

qint64 Instruction::entier(int c) const { return sqlite3_column_int64(s, c); }

QByteArray Instruction::octetsInexacts(int c) const {
    if (sqlite3_column_type(s, c) != SQLITE_TEXT) return {};
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
    const QByteArrayView octets(p, sqlite3_column_bytes(s, c));
    // Decoding puts U+FFFD only where it found it, or where the bytes were no UTF-8.
    const QString t = texte(p, int(octets.size()));
    if (!t.contains(QChar::ReplacementCharacter) || t.toUtf8() == octets) return {};
    return octets.toByteArray();
}

void Instruction::lierTexte(int index, const QByteArray& octets) {
    const int rc = sqlite3_bind_text(s, index, octets.constData(), int(octets.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) lever(p_, rc);
}

QString texte(const char* octets, int n) {
    if (n >= 3 && uchar(octets[0]) == 0xEF && uchar(octets[1]) == 0xBB && uchar(octets[2]) == 0xBF) {
        QStringDecoder decodeur(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return decodeur.decode(QByteArrayView(octets, n));
    }
    return QString::fromUtf8(octets, n);
}

void executer(sqlite3* p, const QString& sql) {
    char* erreur = nullptr;
    const int rc = sqlite3_exec(p, sql.toUtf8().constData(), nullptr, nullptr, &erreur);
    sqlite3_free(erreur);
    if (rc != SQLITE_OK) lever(p, rc);
}

Transaction::Transaction(sqlite3* p) : p_(p) {
    executer(p, QStringLiteral("BEGIN IMMEDIATE"));
    ouverte_ = true;
}

Transaction::~Transaction() {
    if (ouverte_) sqlite3_exec(p_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::valider() {
    const int rc = sqlite3_exec(p_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) lever(p_, rc);  // the destructor rolls back
    ouverte_ = false;
}

DescriptionChamp decrire(const QString& nom, const QString& typeDeclare) {
    DescriptionChamp d;
    d.nom = nom;
    const QString t = typeDeclare.toUpper();
    static const QRegularExpression largeur(QStringLiteral("\\(\\s*(\\d+)"));
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        d.type = TypeChamp::Date;
    else if (t.contains(QLatin1String("BOOL")) || t == QLatin1String("BIT") || t.contains(QLatin1String("YESNO")))
        d.type = TypeChamp::Booleen;
    else if (t.contains(QLatin1String("INT")) || t.contains(QLatin1String("LONG")) || t.contains(QLatin1String("COUNTER")))
        d.type = t.contains(QLatin1String("LONGTEXT")) ? TypeChamp::Memo : TypeChamp::Entier;
    else if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB"))
             || t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DEC")) || t.contains(QLatin1String("CURRENCY"))
             || t.contains(QLatin1String("SINGLE")))
        d.type = TypeChamp::Reel;
    else if (t.contains(QLatin1String("MEMO")) || t.contains(QLatin1String("CLOB")))
        d.type = TypeChamp::Memo;
    else {
        d.type = TypeChamp::Texte;
        const auto m = largeur.match(t);
        if (m.hasMatch()) d.longueurMax = m.captured(1).toInt();
    }
    return d;
}

QVariant presenter(const QVariant& v, TypeChamp type) {
    if (v.isNull()) return v;
    if (type == TypeChamp::Date && v.typeId() == QMetaType::QString) {
        const QString t = v.toString();
        const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : v;
    }
    if (type == TypeChamp::Booleen) {
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double) return QVariant(v.toDouble() != 0);
    }
    return v;
}

QString nom_sql(const QString& nom) {
    QString n = nom;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

}  // namespace db::sqlite
