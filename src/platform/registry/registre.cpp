#include "platform/registry/registre.h"
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace registre {

namespace {

// The largest value a reader takes, its final NUL included.
constexpr int TailleTampon = 1024;

QString& fichier_choisi() {
    static QString chemin;
    return chemin;
}

QString nom_racine(Racine r) {
    switch (r) {
    case Racine::HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case Racine::HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case Racine::HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case Racine::HKEY_USERS: return QStringLiteral("HKEY_USERS");
    }
    return {};
}

QString section(Racine racine, const QString& cle) { return nom_racine(racine) + QLatin1Char('\\') + cle; }

QStringList lignes_du_fichier() {
    QFile f(fichier());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
}

bool est_section(const QString& ligne, QString* nom = nullptr) {
    const QString t = ligne.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    if (nom) *nom = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The line of value `nom` inside section `sec`: its index, or -1. `fin` receives the index
// after the section's last line (-1 when the section is absent).
int trouver(const QStringList& lignes, const QString& sec, const QString& nom, int* fin = nullptr) {
    bool dedans = false;
    int trouve = -1;
    if (fin) *fin = -1;
    for (int i = 0; i < lignes.size(); ++i) {
        QString nomSection;
        if (est_section(lignes[i], &nomSection)) {
            if (dedans) break;
            dedans = nomSection.compare(sec, Qt::CaseInsensitive) == 0;
            if (dedans && fin) *fin = i + 1;
            continue;
        }
        if (!dedans) continue;
        if (fin && !lignes[i].trimmed().isEmpty()) *fin = i + 1;
        const QString t = lignes[i].trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char(';'))) continue;
        const int egal = lignes[i].indexOf(QLatin1Char('='));
        if (egal > 0 && lignes[i].left(egal).trimmed().compare(nom, Qt::CaseInsensitive) == 0) trouve = i;
    }
    return trouve;
}

// A stored value as the bytes a reader receives, with its type.
bool valeur_brute(const QString& ligne, int& type, QByteArray& octets) {
    const QString v = ligne.mid(ligne.indexOf(QLatin1Char('=')) + 1);
    const int deuxPoints = v.indexOf(QLatin1Char(':'));
    if (deuxPoints < 0) return false;
    const QString genre = v.left(deuxPoints).trimmed().toLower();
    const QString texte = v.mid(deuxPoints + 1);
    if (genre == QLatin1String("sz")) {
        type = TypeTexte;
        octets = texte.toUtf8() + '\0';
        return true;
    }
    if (genre == QLatin1String("dword")) {
        bool ok = false;
        const quint32 n = texte.trimmed().toUInt(&ok, 16);
        if (!ok) return false;
        type = TypeEntier32;
        for (int i = 0; i < 4; ++i) octets += char((n >> (8 * i)) & 0xFF);
        return true;
    }
    type = 0;
    octets = texte.toUtf8();
    return true;
}

}  // namespace

QString fichier() {
    if (fichier_choisi().isEmpty())
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/carnelis/registre");
    return fichier_choisi();
}

void definir_fichier(const QString& chemin) { fichier_choisi() = chemin; }

bool lire_valeur_registre(Racine racine, const QString& cle, const QString& nom, QString& valeur) {
    const QStringList lignes = lignes_du_fichier();
    const int i = trouver(lignes, section(racine, cle), nom);
    int type = 0;
    QByteArray octets;
    if (i < 0 || !valeur_brute(lignes[i], type, octets) || octets.size() > TailleTampon) {
        valeur.clear();
        return false;
    }
    // A final NUL is not part of the value.
    if (!octets.isEmpty() && octets.back() == '\0') octets.chop(1);
    if (type == TypeTexte) {
        valeur = QString::fromUtf8(octets);
    } else if (type == TypeEntier32) {
        QString hex;
        for (int k = octets.size() - 1; k >= 0; --k) hex += QString::number(quint8(octets[k]), 16).toUpper();
        valeur = QStringLiteral("&h") + hex;
    }
    return true;
}

bool ecrire_valeur_texte(Racine racine, const QString& cle, const QString& nom, const QString& valeur) {
    QStringList lignes = lignes_du_fichier();
    if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    const QString sec = section(racine, cle);
    QString texte = valeur;
    texte.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    const QString ligne = nom + QStringLiteral("=sz:") + texte;
    int fin = -1;
    const int i = trouver(lignes, sec, nom, &fin);
    if (i >= 0) lignes[i] = ligne;
    else if (fin >= 0) lignes.insert(fin, ligne);
    else lignes << QLatin1Char('[') + sec + QLatin1Char(']') << ligne;

    QDir().mkpath(QFileInfo(fichier()).absolutePath());
    QSaveFile f(fichier());
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write((lignes.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return f.commit();
}

}  // namespace registre
