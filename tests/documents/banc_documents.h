#pragma once
// What the document tests stand on: the program folder with its templates, a working copy of
// a database (blank or demonstration), the windows registered in a multi-document area, and
// the scripted answerer recording every box.
#include "commun/banc_fenetres.h"
#include "commun/jour_fixe.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include "records/enregistrement_records.h"
#include "reports/enregistrement_reports.h"
#include "settings/enregistrement_settings.h"
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStringDecoder>

namespace banc {

inline void enregistrer_trois_sous_systemes() {
    enregistrer_feuilles_settings();
    enregistrer_feuilles_records();
    enregistrer_feuilles_reports();
}

// The day the documents are dated while a test runs.
const QDate Jour(2028, 2, 29);

struct Base : BaseCommune {
    test::JourFixe jourFixe{Jour};
    // `exemple`: a copy of the demonstration database, else of the blank template.
    explicit Base(bool exemple = false) {
        fenetre_principale(enregistrer_trois_sous_systemes, {1200, 900}, false);
        preparer(exemple);
        Module1::chemin_programme = QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + '/';
        auto& cr = report::CrystalReport1();
        for (int i = 0; i < 21; ++i) cr.setFormulas(i, QString());
    }
};

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
