#pragma once
// What the document tests stand on: the program folder with its templates, a working copy of
// a database (blank or demonstration), the windows registered in a multi-document area, and
// the scripted answerer recording every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include "records/enregistrement_records.h"
#include "reports/enregistrement_reports.h"
#include "settings/enregistrement_settings.h"
#include "shell/module1.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringDecoder>
#include <QTest>

namespace banc {

inline void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

struct Base {
    QTemporaryDir dossier;
    QString chemin;
    forms::RepondeurScripte* boites = nullptr;
    // `exemple`: a copy of the demonstration database, else of the blank template.
    explicit Base(bool exemple = false) {
        static QMainWindow* principale = nullptr;
        if (!principale) {
            enregistrer_feuilles_settings();
            enregistrer_feuilles_records();
            enregistrer_feuilles_reports();
            principale = new QMainWindow;
            auto* zone = new QMdiArea(principale);
            principale->setCentralWidget(zone);
            principale->resize(1200, 900);
            principale->show();
            forms::Feuilles::definirZone(zone);
        }
        if (exemple) {
            chemin = QDir(dossier.path()).filePath(QStringLiteral("exemple.mdb"));
            QFile::copy(test::chemin_exemple(), chemin);
            QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            chemin = test::copie_modele(dossier);
        }
        Module1::chemin_base = chemin;
        Module1::chemin_programme = QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + '/';
        boites = &forms::installer_repondeur_scripte();
        auto& cr = report::CrystalReport1();
        for (int i = 0; i < 21; ++i) cr.setFormulas(i, QString());
    }
    ~Base() {
        forms::Feuilles::toutDecharger();
        traiter();
    }
    db::ResultatRequete sql(const QString& instruction, const QVariantList& p = {}) const {
        auto base = db::BaseDonnees::ouvrir(chemin);
        auto r = base->requete(instruction, p);
        base->Close();
        return r;
    }
    QString valeur(const QString& instruction) const { return sql(instruction).lignes.value(0).value(0).toString(); }
};

inline forms::Feuille& feuille(const QString& nom) { return forms::Feuilles::charger(nom); }
template <class T> T* controle(const QString& fenetre, const QString& nom) { return feuille(fenetre).controle<T>(nom); }
inline void cliquer(const QString& fenetre, const QString& bouton) {
    controle<QPushButton>(fenetre, bouton)->click();
    traiter();
}
inline db::JeuEnregistrements& jeu(const QString& fenetre) {
    return controle<db::ControleDonnees>(fenetre, QStringLiteral("datPrimaryRS"))->Recordset();
}

// The 21 formulas and the selection the report control holds.
inline QStringList formules() {
    QStringList r;
    for (int i = 0; i < 21; ++i) r << report::CrystalReport1().Formulas(i);
    return r;
}

// The lines of the page the preview shows, cells joined by " | ".
inline QStringList lignes_apercu(int page = 0) {
    QStringList r;
    const auto& doc = report::FenetreApercu::instance().document();
    if (page >= doc.pages.size()) return r;
    for (const auto& b : doc.pages[page].bandes) {
        QStringList cellules;
        for (const auto& c : b.cellules) {
            QStringList l;
            for (const auto& t : c.lignes) l << t.texte;
            if (!l.join(' ').trimmed().isEmpty()) cellules << l.join(' ');
        }
        if (!cellules.isEmpty()) r << cellules.join(QStringLiteral(" | "));
    }
    return r;
}

// Runs the report control's last print again into a rich-text file and reads it back with
// an independent reader (its output is in the file's code page, Windows-1252).
inline QString en_rtf(const QString& fichier) {
    auto& cr = report::CrystalReport1();
    cr.setDestination(report::destination::Fichier);
    cr.setPrintFileType(report::type_fichier::TexteEnrichi);
    cr.setPrintFileName(fichier);
    const int resultat = cr.PrintReport();
    cr.setDestination(report::destination::Fenetre);
    if (resultat != 0) return QStringLiteral("ERREUR ") + cr.derniereErreur();
    QProcess p;
    p.start(QStringLiteral("unrtf"), {QStringLiteral("--text"), fichier});
    p.waitForFinished(60000);
    QStringDecoder cp1252("windows-1252");
    return QString(cp1252(p.readAllStandardOutput()));
}

}  // namespace banc
