#pragma once
// What every test of the printed documents needs: the program folder with its templates, a
// fresh copy of the demonstration database as the working database, the scripted boxes and
// the processing window registered.
#include "commun/base_test.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/crystal_report.h"
#include "reports/enregistrement_reports.h"
#include "reports/feuille_traitements.h"
#include "shell/module1.h"
#include "programme/demarrage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace essai {

inline QString dossier_programme() { return QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + '/'; }

// A working copy of the demonstration database inside `dossier`.
inline QString copie_exemple(const QTemporaryDir& dossier) {
    const QString cible = QDir(dossier.path()).filePath(QStringLiteral("exemple.mdb"));
    QFile::remove(cible);
    if (!QFile::copy(test::chemin_exemple(), cible)) return {};
    QFile::setPermissions(cible, QFile::ReadOwner | QFile::WriteOwner);
    return cible;
}

// The program folder, a working copy of the demonstration database and the processing window
// registered: what every test of the printed documents starts from. True when the copy was made.
inline bool preparer(const QTemporaryDir& dossier) {
    Module1::chemin_programme = dossier_programme();
    Module1::chemin_base = copie_exemple(dossier);
    if (!forms::Feuilles::estEnregistree(noms::traitements)) {
        programme::enregistrer_tables();
        enregistrer_feuilles_reports();
    }
    return !Module1::chemin_base.isEmpty();
}

// The processing window reached by name, as the other windows reach it.
inline forms::Feuille& traitements() {
    return forms::Feuilles::charger(noms::traitements);
}
template <class T> T* controle(const char* nom) { return traitements().controle<T>(QString::fromUtf8(nom)); }

inline void filtre(const QString& cycle, const QString& niveau, const QString& classe) {
    controle<QLineEdit>("Text1")->setText(cycle);
    controle<QLineEdit>("Text2")->setText(niveau);
    controle<QLineEdit>("Text3")->setText(classe);
}

// Chooses `libelle` in list 1..4 (or leaves no item chosen when it is empty).
inline void choisir(int liste, const QString& libelle) {
    auto* c = controle<QComboBox>(QStringLiteral("Combo%1").arg(liste).toUtf8().constData());
    c->setCurrentIndex(libelle.isEmpty() ? -1 : c->findText(libelle));
}

// 0 Ecran, 1 Imprimante, 2 Fichier
inline void sortie(int option) {
    controle<QRadioButton>(QStringLiteral("Option1_%1").arg(option).toUtf8().constData())->setChecked(true);
}

inline void imprimer(int liste) {
    QTest::mouseClick(controle<QWidget>(QStringLiteral("Command%1").arg(liste).toUtf8().constData()),
                      Qt::LeftButton);
}

// The text of an RTF file as an independent reader sees it.
inline QString texte_rtf(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("unrtf"), {QStringLiteral("--text"), fichier});
    p.waitForFinished(60000);
    // The converter writes the file's own code page (the files declare Windows-1252).
    QStringDecoder cp1252("windows-1252");
    const QByteArray sortie = p.readAllStandardOutput();
    return cp1252.isValid() ? QString(cp1252(sortie)) : QString::fromLatin1(sortie);
}

// The rows of the first sheet of an ".xls" workbook, cells joined by tabs, read by xlrd.
inline QStringList lignes_xls(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, xlrd\n"
                            "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                            "for r in range(s.nrows):\n"
                            "    print('\\t'.join(str(v) for v in s.row_values(r)))\n"),
             fichier});
    p.waitForFinished(60000);
    if (p.exitCode() != 0) return {QStringLiteral("ERREUR xlrd: ") + QString::fromUtf8(p.readAllStandardError())};
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace essai
