// The printer path on a real print queue. The test runs a print scheduler of its own (cupsd, with
// its settings, spool and socket in a temporary folder), so that it touches neither the machine's
// print service nor its queues, and can run beside another copy of itself. Its one queue is a
// generic PDF printer whose device is a file: a class list printed from the processing window
// reaches that file with the pages the preview shows, on A4, none blank, and with the copies typed
// in the copies box. Without the print packages (scripts/installer_paquets.sh) the test is skipped.
#include "reports/environnement_reports.h"
#include "platform/report/apercu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <csignal>
#include <sys/prctl.h>

namespace {

const QString Ppd = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");

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

QString executable(const QString& nom) {
    const QString trouve = QStandardPaths::findExecutable(nom);
    return trouve.isEmpty() ? QStandardPaths::findExecutable(nom, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")}) : trouve;
}

bool ecrire(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

struct Travail {
    int numero = 0;
    QString nom;
    int copies = 1;
    QString etat;
};

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
    QTemporaryDir dossier_;     // the class lists' database
    QTemporaryDir impression_;  // the scheduler's settings, spool, socket and the device's file
    QProcess cupsd_;
    QString file_;              // the queue, named for this run
    QString sortie_;            // the file the queue's device writes each job to
    QString requetes_;
    forms::RepondeurScripte* boites_ = nullptr;

    QString prise() const { return impression_.filePath(QStringLiteral("prise/cups.sock")); }
    bool ordonnanceur_actif() {
        return lancer(QStringLiteral("lpstat"), {QStringLiteral("-r")}, 5000).texte.contains(QStringLiteral("is running"));
    }
    QString journal() const {
        QFile f(impression_.filePath(QStringLiteral("journal/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).right(2000) : QString();
    }

    // A scheduler that listens only on a socket in a folder of the test's user alone, and lets
    // whoever reaches that socket manage it. Run by root, it runs the filters as "lp", who must
    // be able to enter the temporary folder.
    bool demarrer_ordonnanceur(QString& raison) {
        const QString d = impression_.path();
        QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
        for (const char* sous : {"etc", "spool/tmp", "cache", "etat", "journal", "prise"}) QDir(d).mkpath(QString::fromLatin1(sous));
        QFile::setPermissions(impression_.filePath(QStringLiteral("prise")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray conf = "Listen " + prise().toUtf8() +
                                "\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                "<Policy default>\nJobPrivateAccess all\nJobPrivateValues none\n"
                                "SubscriptionPrivateAccess all\nSubscriptionPrivateValues none\n"
                                "<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n";
        const QByteArray fichiers = "ServerRoot " + d.toUtf8() + "/etc\nRequestRoot " + d.toUtf8() + "/spool\nCacheDir " +
                                    d.toUtf8() + "/cache\nStateDir " + d.toUtf8() + "/etat\nTempDir " + d.toUtf8() +
                                    "/spool/tmp\nErrorLog " + d.toUtf8() + "/journal/error_log\nFileDevice Yes\n";
        if (!ecrire(impression_.filePath(QStringLiteral("cupsd.conf")), conf) ||
            !ecrire(impression_.filePath(QStringLiteral("cups-files.conf")), fichiers)) {
            raison = QStringLiteral("réglages du service d'impression impossibles à écrire dans ") + d;
            return false;
        }
        // Every program this test runs, and the toolkit's printing, talk to this scheduler only.
        qputenv("CUPS_SERVER", prise().toUtf8());
        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        // Stopped with the test even when the test dies without cleaning up.
        cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        cupsd_.start(executable(QStringLiteral("cupsd")),
                     {QStringLiteral("-f"), QStringLiteral("-c"), impression_.filePath(QStringLiteral("cupsd.conf")),
                      QStringLiteral("-s"), impression_.filePath(QStringLiteral("cups-files.conf"))});
        QElapsedTimer montre;
        montre.start();
        while (!ordonnanceur_actif() && cupsd_.state() != QProcess::NotRunning && montre.elapsed() < 15000) QTest::qWait(100);
        if (ordonnanceur_actif()) return true;
        raison = QStringLiteral("le service d'impression de l'essai (cupsd) n'a pas démarré : ") +
                 QString::fromUtf8(cupsd_.readAll()) + journal();
        return false;
    }

    // Every job the queue knows, finished ones included.
    QVector<Travail> travaux() {
        const Sortie s = lancer(QStringLiteral("ipptool"),
                                {QStringLiteral("-T"), QStringLiteral("5"), QStringLiteral("-c"),
                                 QStringLiteral("ipp://") + QString::fromLatin1(QUrl::toPercentEncoding(prise())) +
                                     QStringLiteral("/printers/") + file_,
                                 requetes_});
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
    // returns it and the pages the device wrote, moved to a file of their own.
    std::pair<Travail, QString> attendre(int avant, const QString& nom) {
        QElapsedTimer montre;
        montre.start();
        while (montre.elapsed() < 60000) {
            for (const Travail& t : travaux()) {
                if (t.numero <= avant || t.nom != nom) continue;
                if (t.etat == QLatin1String("aborted") || t.etat == QLatin1String("canceled")) return {t, {}};
                if (t.etat != QLatin1String("completed") || pages_pdf(sortie_) <= 0) break;
                const QString chemin = impression_.filePath(QStringLiteral("travail-%1.pdf").arg(t.numero));
                return {t, QFile::rename(sortie_, chemin) ? chemin : QString()};
            }
            QTest::qWait(200);
        }
        qWarning("%s", qPrintable(journal()));
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
        for (const QString& outil : {QStringLiteral("cupsd"), QStringLiteral("lpadmin"), QStringLiteral("lpstat"),
                                     QStringLiteral("ipptool"), QStringLiteral("pdfinfo"), QStringLiteral("pdftotext")})
            if (executable(outil).isEmpty())
                QSKIP(qPrintable(outil + QStringLiteral(" introuvable : installer les paquets de scripts/installer_paquets.sh")));
        if (!QFileInfo::exists(Ppd)) QSKIP(qPrintable(Ppd + QStringLiteral(" introuvable : installer le paquet cups-filters")));
        QVERIFY(dossier_.isValid());
        QVERIFY(impression_.isValid());
        QString raison;
        if (!demarrer_ordonnanceur(raison)) QSKIP(qPrintable(raison));

        file_ = QStringLiteral("essai-%1").arg(QCoreApplication::applicationPid());
        sortie_ = impression_.filePath(QStringLiteral("sortie.pdf"));
        const Sortie s = lancer(executable(QStringLiteral("lpadmin")),
                                {QStringLiteral("-p"), file_, QStringLiteral("-v"), QStringLiteral("file://") + sortie_,
                                 QStringLiteral("-E"), QStringLiteral("-P"), Ppd, QStringLiteral("-o"), QStringLiteral("PageSize=A4")},
                                20000);
        QVERIFY2(s.code == 0, qPrintable(QStringLiteral("file d'impression impossible à créer : ") + s.texte + journal()));
        // This process's default printer only.
        qputenv("LPDEST", file_.toUtf8());
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), file_);

        requetes_ = impression_.filePath(QStringLiteral("travaux.test"));
        QVERIFY(ecrire(requetes_,
                       "{\n OPERATION Get-Jobs\n GROUP operation-attributes-tag\n"
                       " ATTR charset attributes-charset utf-8\n ATTR naturalLanguage attributes-natural-language en\n"
                       " ATTR uri printer-uri $uri\n ATTR name requesting-user-name $user\n ATTR keyword which-jobs all\n"
                       " ATTR keyword requested-attributes job-id,job-name,copies,job-state\n"
                       " DISPLAY job-id\n DISPLAY job-name\n DISPLAY copies\n DISPLAY job-state\n}\n"));
        QVERIFY(essai::preparer(dossier_));
    }
    void init() {
        Module1::chemin_programme = essai::dossier_programme();
        forms::Feuilles::toutDecharger();
        boites_ = &forms::installer_repondeur_scripte();
    }
    // The queue and everything the scheduler wrote go with the temporary folder.
    void cleanupTestCase() {
        forms::Feuilles::toutDecharger();
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
