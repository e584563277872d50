// The printer path on a real print queue: a CUPS queue whose device writes each job as a PDF
// file. A class list printed from the processing window reaches the printer with the pages the
// preview shows, on A4, none blank, and with the copies typed in the copies box.
// Setting the queue up needs root (CI runs as root); elsewhere the tests are skipped.
#include "reports/environnement_reports.h"
#include "platform/report/apercu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString File = QStringLiteral("PDF");
const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString Moteur = QStringLiteral("/usr/lib/cups/backend/cups-pdf");

struct Sortie {
    int code = -1;  // -1: not started or stopped at the time limit
    QString texte;
};

Sortie lancer(const QString& programme, const QStringList& arguments, int delaiMs = 10000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForStarted(5000)) return {};
    if (!p.waitForFinished(delaiMs)) {
        p.kill();
        p.waitForFinished(2000);
        return {-1, QString::fromUtf8(p.readAll())};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

bool ordonnanceur_actif() { return lancer(QStringLiteral("lpstat"), {QStringLiteral("-r")}, 5000).texte.contains(QStringLiteral("is running")); }

struct Travail {
    int numero = 0;
    QString nom;
    int copies = 1;
    QString etat;
};

// Where the PDF device writes the files of the current user's jobs.
QString dossier_pdf() {
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        const auto m = QRegularExpression(QStringLiteral("^\\s*Out\\s+(\\S+)"), QRegularExpression::MultilineOption)
                           .match(QString::fromUtf8(conf.readAll()));
        if (m.hasMatch()) out = m.captured(1);
    }
    const passwd* pw = getpwuid(geteuid());
    if (pw) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(pw->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(pw->pw_name));
    }
    return out;
}

int pages_pdf(const QString& fichier) {
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(lancer(QStringLiteral("pdfinfo"), {fichier}).texte);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of each page, as a reader of the file sees it.
QStringList texte_pages(const QString& fichier) {
    return lancer(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fichier, QStringLiteral("-")}, 30000).texte.split('\f');
}

class EssaiImpressionReelle : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;
    QProcess cupsd_;  // the scheduler, when this test started it
    bool fileCreee_ = false;
    QString requetes_;
    forms::RepondeurScripte* boites_ = nullptr;

    // Every job the queue knows, finished ones included.
    QVector<Travail> travaux() {
        const Sortie s = lancer(QStringLiteral("ipptool"),
                                {QStringLiteral("-T"), QStringLiteral("5"), QStringLiteral("-c"),
                                 QStringLiteral("ipp://localhost/printers/") + File, requetes_});
        QVector<Travail> liste;
        const QStringList lignes = s.texte.split('\n', Qt::SkipEmptyParts);
        for (const QString& ligne : lignes) {
            QStringList champs = ligne.split(',');
            if (champs.size() < 4) continue;
            bool ok = false;
            Travail t;
            t.numero = champs.takeFirst().toInt(&ok);
            if (!ok) continue;
            t.etat = champs.takeLast().trimmed();
            const QString copies = champs.takeLast();
            t.copies = copies.isEmpty() ? 1 : copies.toInt();
            t.nom = champs.join(',');
            if (t.nom.startsWith('"') && t.nom.endsWith('"')) t.nom = t.nom.mid(1, t.nom.size() - 2);
            liste << t;
        }
        return liste;
    }
    int dernier_travail() {
        int n = 0;
        for (const Travail& t : travaux()) n = qMax(n, t.numero);
        return n;
    }

    // Waits (at most 60 s) for the job named `nom` sent after job `avant` to be written;
    // returns it and the file the device wrote.
    std::pair<Travail, QString> attendre(int avant, const QString& nom) {
        QElapsedTimer montre;
        montre.start();
        while (montre.elapsed() < 60000) {
            for (const Travail& t : travaux()) {
                if (t.numero <= avant || t.nom != nom) continue;
                if (t.etat == QLatin1String("aborted") || t.etat == QLatin1String("canceled")) return {t, {}};
                if (t.etat != QLatin1String("completed")) break;
                const QStringList f = QDir(dossier_pdf()).entryList({QStringLiteral("*-job_%1.pdf").arg(t.numero)}, QDir::Files);
                if (!f.isEmpty()) {
                    const QString chemin = QDir(dossier_pdf()).filePath(f.first());
                    if (pages_pdf(chemin) > 0) return {t, chemin};
                }
            }
            QTest::qWait(200);
        }
        return {};
    }

    // Prints the class list from the processing window with `copies` in the copies box.
    void imprimer_liste(const QString& copies) {
        essai::choisir(2, QStringLiteral("Liste de classes (alphabétique)"));
        essai::sortie(1);
        essai::controle<QLineEdit>("Text4")->setText(copies);
        essai::imprimer(2);
    }

private slots:
    void initTestCase() {
        if (geteuid() != 0) QSKIP("installer une file d'impression demande les droits de root");
        const QStringList outils{QStringLiteral("cupsd"), QStringLiteral("lpadmin"), QStringLiteral("lpstat"),
                                 QStringLiteral("ipptool"), QStringLiteral("pdfinfo"), QStringLiteral("pdftotext")};
        const auto manque = [&] {
            for (const QString& o : outils)
                if (QStandardPaths::findExecutable(o).isEmpty() &&
                    QStandardPaths::findExecutable(o, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")}).isEmpty())
                    return true;
            return !QFileInfo::exists(Moteur) || !QFileInfo::exists(Ppd);
        };
        if (manque()) {
            QProcess apt;
            auto env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
            apt.setProcessEnvironment(env);
            apt.start(QStringLiteral("apt-get"), {QStringLiteral("install"), QStringLiteral("-y"), QStringLiteral("-qq"),
                                                  QStringLiteral("--no-install-recommends"), QStringLiteral("cups"),
                                                  QStringLiteral("cups-ipp-utils"), QStringLiteral("printer-driver-cups-pdf"),
                                                  QStringLiteral("poppler-utils")});
            if (!apt.waitForFinished(300000)) apt.kill();
            if (manque()) QSKIP("paquets cups, cups-ipp-utils, printer-driver-cups-pdf ou poppler-utils absents et non installables");
        }
        if (!ordonnanceur_actif()) {
            cupsd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            cupsd_.start(QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")}),
                         {QStringLiteral("-f")});
            QElapsedTimer montre;
            montre.start();
            while (!ordonnanceur_actif() && cupsd_.state() == QProcess::Running && montre.elapsed() < 15000) QTest::qWait(200);
            if (!ordonnanceur_actif()) QSKIP("le service d'impression cupsd n'a pas pu démarrer");
        }
        if (lancer(QStringLiteral("lpstat"), {QStringLiteral("-p"), File}).code != 0) {
            const Sortie s = lancer(QStringLiteral("lpadmin"), {QStringLiteral("-p"), File, QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                                                                QStringLiteral("-E"), QStringLiteral("-P"), Ppd}, 20000);
            if (s.code != 0) QSKIP(qPrintable(QStringLiteral("file d'impression PDF impossible à créer : ") + s.texte));
            fileCreee_ = true;
        }
        // This process's default printer only; the machine's settings stay as they are.
        qputenv("LPDEST", File.toUtf8());
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), File);

        QVERIFY(dossier_.isValid());
        requetes_ = dossier_.filePath(QStringLiteral("travaux.test"));
        QFile f(requetes_);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\n OPERATION Get-Jobs\n GROUP operation-attributes-tag\n"
                " ATTR charset attributes-charset utf-8\n ATTR naturalLanguage attributes-natural-language en\n"
                " ATTR uri printer-uri $uri\n ATTR name requesting-user-name root\n ATTR keyword which-jobs all\n"
                " ATTR keyword requested-attributes job-id,job-name,copies,job-state\n"
                " DISPLAY job-id\n DISPLAY job-name\n DISPLAY copies\n DISPLAY job-state\n}\n");
        f.close();
        QVERIFY(essai::preparer(dossier_));
    }
    void init() {
        Module1::chemin_programme = essai::dossier_programme();
        forms::Feuilles::toutDecharger();
        boites_ = &forms::installer_repondeur_scripte();
    }
    void cleanupTestCase() {
        forms::Feuilles::toutDecharger();
        if (fileCreee_) lancer(QStringLiteral("lpadmin"), {QStringLiteral("-x"), File});
        if (cupsd_.state() != QProcess::NotRunning) {
            cupsd_.terminate();
            if (!cupsd_.waitForFinished(10000)) {
                cupsd_.kill();
                cupsd_.waitForFinished(5000);
            }
        }
    }

    // One copy: the printed file holds the preview's pages, on A4, each with text on it;
    // two copies typed in the box: the document reaches the device twice over.
    void liste_de_classes_imprimee_comme_l_apercu() {
        essai::choisir(2, QStringLiteral("Liste de classes (alphabétique)"));
        essai::sortie(0);
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 0);
        const int pagesApercu = report::FenetreApercu::instance().document().pages.size();
        const QString titre = report::FenetreApercu::instance().document().titre;
        QVERIFY(pagesApercu > 1);

        int avant = dernier_travail();
        imprimer_liste(QStringLiteral("1"));
        QCOMPARE(boites_->vues.size(), 0);
        const auto [travail, fichier] = attendre(avant, titre);
        QVERIFY2(!fichier.isEmpty(), "aucun fichier PDF écrit par la file d'impression en 60 s");
        const QString infos = lancer(QStringLiteral("pdfinfo"), {fichier}).texte;
        qInfo("aperçu : %d pages ; imprimé : %d pages", pagesApercu, pages_pdf(fichier));
        QCOMPARE(pages_pdf(fichier), pagesApercu);
        QVERIFY2(infos.contains(QStringLiteral("(A4)")), qPrintable(infos));
        const QStringList pages = texte_pages(fichier);
        for (int i = 0; i < pagesApercu; ++i)
            QVERIFY2(i < pages.size() && !pages[i].trimmed().isEmpty(), qPrintable(QStringLiteral("page %1 blanche").arg(i + 1)));

        avant = dernier_travail();
        imprimer_liste(QStringLiteral("2"));
        QCOMPARE(boites_->vues.size(), 0);
        const auto [deux, fichier2] = attendre(avant, titre);
        QVERIFY2(!fichier2.isEmpty(), "aucun fichier PDF écrit pour les deux exemplaires en 60 s");
        // Collated copies are made by the print system in the document it sends to the device:
        // the file holds the list twice, one whole copy after the other.
        qInfo("deux exemplaires : %d pages dans le fichier, %d copies demandées à la file", pages_pdf(fichier2), deux.copies);
        QCOMPARE(pages_pdf(fichier2), 2 * pagesApercu);
        const QStringList deuxPages = texte_pages(fichier2);
        QVERIFY(deuxPages.size() >= 2 * pagesApercu);
        for (int i = 0; i < pagesApercu; ++i) {
            QCOMPARE(deuxPages[i], pages[i]);
            QCOMPARE(deuxPages[pagesApercu + i], pages[i]);
        }
        QCOMPARE(report::CrystalReport1().CopiesToPrinter(), 1);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EssaiImpressionReelle essai;
    return QTest::qExec(&essai, argc, argv);
}

#include "test_impression_reelle.moc"
