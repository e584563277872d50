// The key store read and written as the about window uses it.
#include "platform/registry/registre.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using registre::Racine;

class TestRegistry : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;

    void ecrire(const QByteArray& contenu) {
        QFile f(registre::fichier());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }
    static QString lire(Racine r, const QString& cle, const QString& nom, bool* lu = nullptr) {
        QString v = QStringLiteral("avant");
        const bool ok = registre::lire_valeur_registre(r, cle, nom, v);
        if (lu) *lu = ok;
        return v;
    }

private slots:
    void init() { registre::definir_fichier(dossier.filePath(QStringLiteral("registre"))); }
    void cleanup() { QFile::remove(registre::fichier()); }

    void lecture() {
        ecrire(QByteArray("; essai\n"
               "[HKEY_LOCAL_MACHINE\\Logiciel\\Outils]\n"
               "Chemin=sz:/usr/bin/outil avec espace\n"
               "Vide=sz:\n"
               "Petit=dword:000001f0\n"
               "Grand=dword:12345678\n"
               "Binaire=hex:01,02\n"
               "[HKEY_CURRENT_USER\\Logiciel\\Outils]\n"
               "Chemin=sz:/ailleurs\n") +
               "Long=sz:" + QByteArray(1023, 'x') + "\n" +
               "TropLong=sz:" + QByteArray(1024, 'x') + "\n");
        bool lu = false;
        // Key and value names without regard to case; the text as stored, no final NUL.
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "logiciel\\OUTILS", "chemin", &lu), QStringLiteral("/usr/bin/outil avec espace"));
        QVERIFY(lu);
        QCOMPARE(lire(Racine::HKEY_CURRENT_USER, "Logiciel\\Outils", "Chemin"), QStringLiteral("/ailleurs"));
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "Logiciel\\Outils", "Vide", &lu), QString());
        QVERIFY(lu);
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "Logiciel\\Outils", "Petit"), QStringLiteral("&h01F0"));
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "Logiciel\\Outils", "Grand"), QStringLiteral("&h12345678"));
        // Another type is read but leaves the caller's text.
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "Logiciel\\Outils", "Binaire", &lu), QStringLiteral("avant"));
        QVERIFY(lu);
        // 1023 bytes and the NUL fill the reader's buffer; one more does not fit.
        QCOMPARE(lire(Racine::HKEY_CURRENT_USER, "Logiciel\\Outils", "Long").size(), 1023);
        QCOMPARE(lire(Racine::HKEY_CURRENT_USER, "Logiciel\\Outils", "TropLong", &lu), QString());
        QVERIFY(!lu);
        // Missing value, key, root.
        for (auto [r, cle, nom] : {std::tuple{Racine::HKEY_LOCAL_MACHINE, "Logiciel\\Outils", "Absente"},
                                   std::tuple{Racine::HKEY_LOCAL_MACHINE, "Logiciel", "Chemin"},
                                   std::tuple{Racine::HKEY_USERS, "Logiciel\\Outils", "Chemin"}}) {
            QCOMPARE(lire(r, cle, nom, &lu), QString());
            QVERIFY(!lu);
        }
    }

    void sans_fichier_puis_ecriture() {
        bool lu = true;
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "A\\B", "V", &lu), QString());
        QVERIFY(!lu);
        // Written into a folder that does not exist yet.
        registre::definir_fichier(dossier.filePath(QStringLiteral("sous/dossier/registre")));
        QVERIFY(registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, "A\\B", "V", "un"));
        QVERIFY(registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, "A\\C", "V", "deux"));
        // Replaced in place, added to its key; the other key is kept.
        QVERIFY(registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, "a\\b", "v", "trois"));
        QVERIFY(registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, "A\\B", "W", "quatre=cinq"));
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "A\\B", "V"), QStringLiteral("trois"));
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "A\\B", "W"), QStringLiteral("quatre=cinq"));
        QCOMPARE(lire(Racine::HKEY_LOCAL_MACHINE, "A\\C", "V"), QStringLiteral("deux"));
        // A store that cannot be written: its folder is a file.
        registre::definir_fichier(dossier.filePath(QStringLiteral("sous/dossier/registre/x")));
        QVERIFY(!registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, "A", "V", "x"));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
