#include "exemple.h"

#include "ecriture.h"
#include "hasard.h"
#include "listes_exemple.h"
#include "photos_exemple.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <QVector>
#include <algorithm>

namespace exemple {

namespace {

QString u(const char* texte) { return QString::fromUtf8(texte); }

// One row of a table, filled by field name; fields left alone are written as NULL.
class Ligne {
public:
    explicit Ligne(const QStringList& champs) : champs_(champs) {
        for (int i = 0; i < champs.size(); ++i) rang_.insert(champs[i], i);
        valeurs_.resize(champs.size());
    }
    QVariant& operator[](const QString& champ) {
        const auto it = rang_.constFind(champ);
        if (it == rang_.constEnd()) throw EchecEcriture(("champ inconnu : " + champ).toStdString());
        return valeurs_[*it];
    }
    const QStringList& champs() const { return champs_; }
    QVariantList valeurs() const { return QVariantList(valeurs_.begin(), valeurs_.end()); }

private:
    QStringList champs_;
    QHash<QString, int> rang_;
    QVector<QVariant> valeurs_;
};

QStringList champs_table(sqlite3* base, const QString& table) {
    QStringList champs;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(\"%1\")").arg(table).toUtf8();
    if (sqlite3_prepare_v2(base, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw EchecEcriture(sqlite3_errmsg(base));
    while (sqlite3_step(st) == SQLITE_ROW)
        champs << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    if (champs.isEmpty()) throw EchecEcriture(("table absente du modèle : " + table).toStdString());
    return champs;
}

void ecrire_liste(sqlite3* base, const QString& table, const QVector<QVariantList>& lignes) {
    Insertion ins(base, table, champs_table(base, table));
    for (const QVariantList& l : lignes) ins.ecrire(l);
}

QString telephone(Hasard& h, const char* debut) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(QString::fromLatin1(debut))
        .arg(h.entre(10, 99)).arg(h.entre(10, 99)).arg(h.entre(10, 99)).arg(h.entre(10, 99));
}
QString portable(Hasard& h) { return telephone(h, h.chance(70) ? "06" : "07"); }

// "Hélène D'Almeida" gives "helene.dalmeida" for an e-mail address.
QString sans_accents(const QString& texte) {
    QString r;
    for (const QChar c : texte.normalized(QString::NormalizationForm_KD))
        if (c.isLetterOrNumber() && c.unicode() < 128) r += c.toLower();
    return r;
}
QString courriel(Hasard& h, const QString& prenom, const QString& nom) {
    static const char* const fournisseurs[] = {"orange.fr", "free.fr", "gmail.com",
                                               "laposte.net", "sfr.fr", "wanadoo.fr"};
    return sans_accents(prenom) + '.' + sans_accents(nom) + '@' + u(h.parmi(fournisseurs));
}

struct Adresse {
    QString numero, rue, complement, code_postal, ville;
};
Adresse adresse_au_hasard(Hasard& h) {
    Adresse a;
    a.numero = QString::number(h.entre(1, 120)) + (h.chance(5) ? " bis" : "");
    a.rue = u(h.parmi(rues));
    if (h.chance(15)) a.complement = u(h.parmi(complements_adresse));
    const Ville& v = h.chance(60) ? villes[0] : h.parmi(villes);
    a.code_postal = u(v.code_postal);
    a.ville = u(v.nom);
    return a;
}

// ---------------------------------------------------------------- school, team, lists

void ecrire_ecole(sqlite3* base) {
    Ligne e(champs_table(base, "école"));
    e["nom_école"] = u("École primaire publique Les Tilleuls");
    e["numéro_école"] = "14";
    e["adresse_école"] = u("Rue de la République");
    e["adresse2_école"] = u("Groupe scolaire du Centre");
    e["code_postal_école"] = "69530";
    e["ville_école"] = "Brignais";
    e["téléphone_école"] = "04 78 05 21 60";
    e["télécopie_école"] = "04 78 05 21 61";
    e["mail_école"] = "ce.0691234a@ac-lyon.fr";
    e["rne_école"] = "0691234A";
    e["genre_directeur_école"] = "Madame";
    e["nom_directeur_école"] = "Garnier";
    e["prénom_directeur_école"] = u("Hélène");
    e["politesse_directeur"] = "Bien cordialement,";
    e["titre_directeur"] = "Directrice";
    Insertion(base, "école", e.champs()).ecrire(e.valeurs());
}

void ecrire_inspection(sqlite3* base) {
    Ligne i(champs_table(base, "inspection"));
    i["nom_inspection"] = u("Circonscription de Lyon Sud-Ouest");
    i["numéro_inspection"] = "2";
    i["adresse_inspection"] = u("Avenue du Général de Gaulle");
    i["adresse2_inspection"] = u("Bâtiment Les Saules");
    i["code_postal_inspection"] = "69230";
    i["ville_inspection"] = "Saint-Genis-Laval";
    i["téléphone_inspection"] = "04 72 39 80 40";
    i["télécopie_inspection"] = "04 72 39 80 41";
    i["mail_inspection"] = "ce.ien-lyon-sud-ouest@ac-lyon.fr";
    i["rne_inspection"] = "0692045K";
    i["genre_inpecteur"] = "Monsieur";
    i["nom_inspecteur"] = "Roux";
    i["prénom_inspecteur"] = u("Jean-François");
    i["politesse_inspecteur"] = u("Monsieur l'Inspecteur,");
    i["titre_inspecteur"] = u("Inspecteur de l'Éducation nationale");
    Insertion(base, "inspection", i.champs()).ecrire(i.valeurs());
}

void ecrire_equipe(sqlite3* base, Hasard& h) {
    const QStringList champs = champs_table(base, "équipe");
    Insertion ins(base, "équipe", champs);
    for (const Classe& c : classes) {
        Ligne e(champs);
        const bool femme = h.chance(80);
        const QString prenom = u(femme ? h.parmi(prenoms_femmes) : h.parmi(prenoms_hommes));
        const QString nom = u(h.parmi(noms_famille));
        const Adresse a = adresse_au_hasard(h);
        e["genre_enseignant"] = femme ? "Madame" : "Monsieur";
        e["nom_enseignant"] = nom;
        e["prénom_enseignant"] = prenom;
        e["numéro_enseignant"] = a.numero;
        e["adresse1_enseignant"] = a.rue;
        e["adresse2_enseignant"] = a.complement;
        e["code_postal_enseignant"] = a.code_postal;
        e["ville_enseignant"] = a.ville;
        e["téléphone1_enseignant"] = telephone(h, "04");
        e["téléphone2_enseignant"] = portable(h);
        e["mail_enseignant"] = sans_accents(prenom) + '.' + sans_accents(nom) + "@ac-lyon.fr";
        e["référence_classe_enseignant"] = u(c.reference);
        e["niveau_classe_enseignant"] = u(c.niveaux);
        e["cycle_classe_enseignant"] = u(c.cycle);
        ins.ecrire(e.valeurs());
    }
}

void ecrire_listes_locales(sqlite3* base) {
    QVector<QVariantList> l;
    for (const char* r : rues) l.push_back({u(r)});
    ecrire_liste(base, "adresses", l);
    l.clear();
    for (const char* a : assurances) l.push_back({u(a)});
    ecrire_liste(base, "assurances", l);
    l.clear();
    for (const Ville& v : villes) l.push_back({u(v.code_postal), u(v.nom)});
    ecrire_liste(base, "villes", l);
    l.clear();
    for (const Praticien& m : medecins) l.push_back({u(m.nom), u(m.telephone), u(m.adresse), u(m.ville)});
    ecrire_liste(base, "médecins", l);
    l.clear();
    for (const Praticien& m : hopitaux) l.push_back({u(m.nom), u(m.telephone), u(m.adresse), u(m.ville)});
    ecrire_liste(base, "hôpitaux", l);
}

// The captions of the free pupil fields that the demonstration uses.
void ecrire_parametres(sqlite3* base) {
    static const char* const intitules[][2] = {
        {"Garderie du matin", "Inscription à la garderie du matin (oui / non)"},
        {"Garderie du soir", "Inscription à la garderie du soir (oui / non)"},
        {"Transport scolaire", "Utilise le car de ramassage scolaire (oui / non)"},
        {"PAI", "Projet d'accueil individualisé (oui / non)"},
        {"Suivi extérieur", "Orthophonie, CMP, RASED... (renseignements utiles)"},
        {"Étude surveillée", "Inscription à l'étude du soir (jours)"},
        {"Droit à l'image", "Autorisation de photographier l'enfant (oui / non)"},
        {"Sorties", "Autorisation de sortie seul à 16 h 30 (oui / non)"},
        {"Projets de classe", "Participation aux projets et classes découvertes"},
        {"Livret scolaire", "Remarques sur la transmission du livret scolaire"}};
    executer(base, "DELETE FROM \"paramètres\"");
    Ligne p(champs_table(base, "paramètres"));
    for (int k = 0; k < 10; ++k) {
        p[QStringLiteral("intitulé_champ_paramétrable%1").arg(k + 1)] = u(intitules[k][0]);
        p[QStringLiteral("infobulle_champ_paramétrable%1").arg(k + 1)] = u(intitules[k][1]);
    }
    Insertion(base, "paramètres", p.champs()).ecrire(p.valeurs());
}

void ecrire_documents(sqlite3* base) {
    struct Modele {
        const char *nom, *titre, *destinataire, *p1, *p2, *p3, *p4, *p5, *politesse, *ps;
        bool date, responsable, directeur, eleve, signature;
    };
    static const Modele modeles[] = {
        {"Certificat de scolarité", "CERTIFICAT DE SCOLARITÉ", "", "",
         "certifie que l'élève :",
         "est inscrit(e) dans notre école et la fréquente régulièrement depuis la rentrée de "
         "l'année scolaire en cours.",
         "Ce certificat est délivré à la demande de la famille, pour servir et valoir ce que de droit.",
         "", "", "", true, false, true, true, true},
        {"Lettre aux familles", "Réunion de rentrée", "Madame, Monsieur,",
         "Nous avons le plaisir de vous inviter à la réunion de rentrée de la classe de votre "
         "enfant, qui se tiendra le jeudi de la deuxième semaine de septembre à 18 heures, dans "
         "la salle polyvalente de l'école.",
         "L'enseignant y présentera le fonctionnement de la classe, les projets de l'année et "
         "le calendrier des sorties. Votre présence est vivement souhaitée.",
         "", "", "",
         "Je vous prie d'agréer, Madame, Monsieur, l'expression de mes salutations distinguées.",
         "Merci de retourner le coupon-réponse dans le cahier de liaison avant vendredi.",
         true, true, false, false, true},
        {"Certificat de radiation", "CERTIFICAT DE RADIATION", "", "",
         "certifie que l'élève :",
         "a été radié(e) des registres de l'école à la demande de sa famille, qui l'inscrit dans "
         "une autre école.",
         "Son dossier scolaire et son livret seront transmis à l'école d'accueil dès réception "
         "de la demande de celle-ci.",
         "Ce certificat est délivré pour servir et valoir ce que de droit.",
         "", "", true, false, true, true, true}};
    Ligne d(champs_table(base, "documents"));
    Insertion ins(base, "documents", d.champs());
    for (const Modele& m : modeles) {
        auto texte = [](const char* t) { return *t ? QVariant(u(t)) : QVariant(); };
        d["intitulé_bouton"] = u(m.nom);
        d["titre_document"] = texte(m.titre);
        d["destinataire_document"] = texte(m.destinataire);
        d["paragraphe1_document"] = texte(m.p1);
        d["paragraphe2_document"] = texte(m.p2);
        d["paragraphe3_document"] = texte(m.p3);
        d["paragraphe4_document"] = texte(m.p4);
        d["paragraphe5_document"] = texte(m.p5);
        d["politesse_document"] = texte(m.politesse);
        d["post_scriptum"] = texte(m.ps);
        d["affichage_date"] = m.date;
        d["affichage_coordonnées_responsable_légal"] = m.responsable;
        d["affichage_coordonnées_directeur"] = m.directeur;
        d["affichage_coordonnées_élève"] = m.eleve;
        d["affichage_signature_directeur"] = m.signature;
        ins.ecrire(d.valeurs());
    }
}

// ---------------------------------------------------------------- families and pupils

struct Parent {
    bool femme = false;
    QString nom, prenom;
};

struct Famille {
    QString reference, nom_enfants, nationalite, code_nationalite, lieu_etranger;
    Adresse adresse;
    QString telephone_domicile, portable_responsable, nom_contact;
    int enfants = 1;
};

struct Eleve {
    int famille = 0;
    QDate naissance, inscription;
    Ligne ligne;
};

const char* const situations_couple[] = {"Marié(e)", "Marié(e)", "Marié(e)", "Marié(e)",
                                         "Marié(e)", "Pacsé(e)", "Pacsé(e)", "Vie maritale",
                                         "Vie maritale", "Divorcé(e)", "Séparé(e)"};

Famille ecrire_famille(Ligne& f, Hasard& h, int numero, int enfants) {
    Famille fam;
    fam.reference = QStringLiteral("%1").arg(numero, 6, 10, QChar('0'));
    fam.enfants = enfants;
    const int tirage = h.entre(1, 100);
    const QString situation = u(tirage <= 6 ? "Célibataire" : tirage <= 8 ? "Veuf(ve)" : h.parmi(situations_couple));
    const bool seul = tirage <= 8;
    const bool separes = situation.startsWith(u("Divorcé")) || situation.startsWith(u("Séparé"));

    // Parent 1 is the legal guardian: more often the mother when alone.
    Parent p1, p2;
    p1.femme = h.chance(seul ? 85 : 45);
    p2.femme = !p1.femme;
    const QString nom_pere = u(h.parmi(noms_famille));
    const QString nom_mere = h.chance(60) ? nom_pere : u(h.parmi(noms_famille));
    p1.nom = p1.femme ? nom_mere : nom_pere;
    p2.nom = p2.femme ? nom_mere : nom_pere;
    p1.prenom = u(p1.femme ? h.parmi(prenoms_femmes) : h.parmi(prenoms_hommes));
    p2.prenom = u(p2.femme ? h.parmi(prenoms_femmes) : h.parmi(prenoms_hommes));
    fam.nom_enfants = seul && p1.femme ? nom_mere : nom_pere;
    fam.nom_contact = p1.nom;
    if (h.chance(90)) {
        fam.nationalite = u("Française");
        fam.code_nationalite = "100";
    } else {
        const Nationalite& n = h.parmi(nationalites_etrangeres);
        fam.nationalite = u(n.libelle);
        fam.code_nationalite = u(n.code);
        fam.lieu_etranger = u(n.lieu_naissance);
    }
    fam.adresse = adresse_au_hasard(h);
    fam.telephone_domicile = telephone(h, "04");
    fam.portable_responsable = portable(h);

    auto parent = [&](const Parent& p, const QString& suffixe, const Adresse& a, bool responsable) {
        const Profession& m = h.parmi(professions);
        f["genre_" + suffixe] = p.femme ? "Madame" : "Monsieur";
        f["nom_" + suffixe] = p.nom;
        f[u("prénom_") + suffixe] = p.prenom;
        f["profession_" + suffixe] = u(p.femme ? m.feminin : m.masculin);
        f["csp_" + suffixe] = u(m.csp);
        f["employeur_" + suffixe] = *m.employeur ? QVariant(u(m.employeur)) : QVariant();
        if (*m.employeur && h.chance(70)) f[u("téléphone_professionnel1_") + suffixe] = telephone(h, "04");
        f[u("téléphone_professionnel2_") + suffixe] = responsable ? fam.portable_responsable : portable(h);
        if (h.chance(80)) f["mail_" + suffixe] = courriel(h, p.prenom, p.nom);
        f[u("élection_comité_") + suffixe] = h.chance(8) ? "oui" : "non";
        const QString cote = responsable ? "responsable" : "conjoint";
        f[u("numéro_") + cote] = a.numero;
        f["adresse_" + cote] = a.rue;
        f["adresse2_" + cote] = a.complement.isEmpty() ? QVariant() : QVariant(a.complement);
        f["code_postal_" + cote] = a.code_postal;
        f["ville_" + cote] = a.ville;
    };
    f = Ligne(f.champs());
    f[u("référence_famille")] = fam.reference;
    parent(p1, u("responsable_légal"), fam.adresse, true);
    if (!seul) parent(p2, "conjoint", separes ? adresse_au_hasard(h) : fam.adresse, false);
    f["situation_familiale"] = situation;
    f[u("communication_données")] = h.chance(65) ? "oui" : "non";
    f[u("société_assurance")] = u(h.parmi(assurances));
    f["police_assurance"] = QStringLiteral("%1 %2 %3").arg(h.entre(1000, 9999)).arg(h.entre(1000, 9999)).arg(h.entre(10, 99));
    if (h.chance(5)) f["observations_assurance"] = u("Contrat scolaire et extrascolaire.\nAttestation fournie en septembre.");
    if (h.chance(85)) {
        const Praticien& m = h.parmi(medecins);
        f[u("médecin_traitant")] = u(m.nom);
        f[u("téléphone_médecin_traitant")] = u(m.telephone);
        f[u("adresse_médecin_traitant")] = u(m.adresse);
        f[u("ville_médecin_traitant")] = u(m.ville);
    }
    if (h.chance(70)) {
        const Praticien& m = h.parmi(hopitaux);
        f[u("hôpital_préférentiel")] = u(m.nom);
        f[u("téléphone_hôpital_préférentiel")] = u(m.telephone);
        f[u("adresse_hôpital_préférentiel")] = u(m.adresse);
        f[u("ville_hôpital_préférentiel")] = u(m.ville);
    }
    return fam;
}

// The school year under way begins in September of this year, or of the last one before September.
int annee_scolaire(const QDate& jour) { return jour.month() >= 9 ? jour.year() : jour.year() - 1; }

int niveau_au_hasard(Hasard& h) {
    int total = 0;
    for (const Niveau& n : niveaux) total += n.poids;
    int t = h.entre(1, total);
    for (int i = 0; i < 9; ++i)
        if ((t -= niveaux[i].poids) <= 0) return i;
    return 8;
}

QDate jour_au_hasard(Hasard& h, int annee, int mois_min, int mois_max) {
    const int mois = h.entre(mois_min, mois_max);
    return QDate(annee, mois, h.entre(1, QDate(annee, mois, 1).daysInMonth()));
}

Eleve creer_eleve(const QStringList& champs, Hasard& h, const Famille& fam, int famille,
                  const QDate& aujourdhui, QStringList& prenoms_pris) {
    Eleve e{famille, {}, {}, Ligne(champs)};
    Ligne& l = e.ligne;
    const int an = annee_scolaire(aujourdhui);
    const int niveau = niveau_au_hasard(h);
    const Niveau& n = niveaux[niveau];
    const Classe& c = classes[std::max(0, niveau - 1)];

    // A pupil of the elementary school who stayed a year longer in a level is a year older.
    int naissance = an - 2 - niveau;
    if (niveau >= 4 && h.chance(3)) {
        --naissance;
        l[u("cursus_allongé_élève")] = u("Maintien d'un an en ") + u(niveaux[h.entre(3, niveau - 1)].code);
    }
    e.naissance = niveau == 0 ? jour_au_hasard(h, naissance, 1, 8) : jour_au_hasard(h, naissance, 1, 12);

    // Most pupils entered the school in petite section; some came in TPS, others moved in later.
    int entree = naissance + 3;
    bool rentree = true;
    if (niveau == 0 || h.chance(15)) entree = naissance + 2;
    if (niveau >= 2 && h.chance(20)) {
        entree = h.entre(naissance + 3, an);
        rentree = h.chance(50);
    }
    entree = std::min(entree, an);
    e.inscription = rentree ? QDate(entree, 9, h.entre(1, 5)) : jour_au_hasard(h, entree, 9, 12);
    if (e.inscription > aujourdhui) e.inscription = QDate(an, 9, 2);

    const bool fille = h.chance(49);
    QString prenom;
    for (int essai = 0; essai < 5 && (prenom.isEmpty() || prenoms_pris.contains(prenom)); ++essai)
        prenom = u(fille ? h.parmi(prenoms_filles) : h.parmi(prenoms_garcons));
    prenoms_pris << prenom;

    l[u("nom_élève")] = fam.nom_enfants;
    l[u("prénom_élève")] = prenom;
    l[u("référence_famille")] = fam.reference;
    l[u("date_naissance_élève")] = e.naissance.toString(Qt::ISODate);
    l[u("lieu_naissance_élève")] = !fam.lieu_etranger.isEmpty() && h.chance(50) ? fam.lieu_etranger : u(h.parmi(lieux_naissance));
    l[u("sexe_élève")] = fille ? u("Féminin") : u("Masculin");
    l[u("nationalité_élève")] = fam.nationalite;
    l[u("code_nationalité_élève")] = fam.code_nationalite;
    l[u("date_inscription_élève")] = e.inscription.toString(Qt::ISODate);
    l[u("ainé")] = false;
    l[u("référence_classe_élève")] = u(c.reference);
    l[u("niveau_classe_élève")] = u(n.code);
    l[u("cycle_classe_élève")] = u(n.cycle);
    if (niveau >= 4 && h.chance(90)) l[u("langue_vivante_élève")] = u(h.parmi(langues));
    if (h.chance(2)) l[u("saisine_ccpe_élève")] = QStringLiteral("Dossier MDPH du %1").arg(jour_au_hasard(h, an, 1, 6).addYears(-1).toString("dd/MM/yyyy"));

    // People allowed to fetch the child: a grandparent, sometimes a neighbour or a friend.
    const int contacts = h.entre(1, 3);
    for (int k = 1; k <= contacts; ++k) {
        l[QStringLiteral("nom_contact%1").arg(k)] = k == 1 ? fam.nom_contact : u(h.parmi(noms_famille));
        l[u("prénom_contact%1").arg(k)] = u(h.parmi(prenoms_contacts));
        l[u("téléphone_contact%1").arg(k)] = k == 1 && h.chance(50) ? telephone(h, "04") : portable(h);
    }
    l[u("numéro_résidence")] = fam.adresse.numero;
    l[u("adresse_résidence")] = fam.adresse.rue;
    if (!fam.adresse.complement.isEmpty()) l[u("adresse2_résidence")] = fam.adresse.complement;
    l[u("code_postal_résidence")] = fam.adresse.code_postal;
    l[u("ville_résidence")] = fam.adresse.ville;
    l[u("téléphone1_résidence")] = fam.telephone_domicile;
    l[u("téléphone2_résidence")] = fam.portable_responsable;

    l["vaccinations"] = h.chance(95) ? u("À jour") : u("Rappel DTP à faire");
    const bool allergique = h.chance(8);
    if (allergique) l["allergies"] = u(h.parmi(allergies));
    if (h.chance(2)) l["contre_indications"] = u("Pas d'effort physique prolongé");
    const bool pai = allergique && h.chance(50);
    if (pai) l[u("observations_médicales")] = u("PAI signé.\nTrousse d'urgence dans le bureau de la directrice.");
    if (niveau >= 4) l["participation_usep"] = h.chance(40) ? "oui" : "non";
    l["restauration_scolaire"] = u(h.parmi(restauration));
    l[u("coopérative_scolaire")] = h.chance(85) ? u("Versée") : u("Non versée");
    if (h.chance(3)) l[u("observations_générales")] = u("Suivi orthophonique le mardi après-midi.\nLa maman souhaite être prévenue de tout changement d'emploi du temps.");
    l[u("champ_paramétable1")] = h.chance(30) ? "oui" : "non";
    l[u("champ_paramétable2")] = h.chance(35) ? "oui" : "non";
    l[u("champ_paramétable3")] = fam.adresse.ville != u(villes[0].nom) && h.chance(50) ? "oui" : "non";
    l[u("champ_paramétable4")] = pai ? "oui" : "non";
    return e;
}

// The first pupils by matricule show every tab filled in, with a portrait in the folder
// "photos" beside the database. A portrait inside the database's folder is stored relative to
// it ("photos/eleve_000001.jpg"), so that a copied folder shows it; one elsewhere, whole.
constexpr int ElevesVitrine = 6;

void completer_vitrine(Ligne& l, Hasard& h, int numero, const QString& dossier_photos, const QString& dossier_base,
                       int annee) {
    const QString nom_photo = QStringLiteral("eleve_%1.%2").arg(numero, 6, 10, QChar('0')).arg(numero % 2 ? "jpg" : "bmp");
    const QString photo = dossier_photos + '/' + nom_photo;
    const QString relatif = QDir(dossier_base).relativeFilePath(QFileInfo(photo).absoluteFilePath());
    if (dessiner_portrait(numero, photo))
        l["chemin_photo"] = relatif.startsWith(QLatin1String("..")) ? QFileInfo(photo).absoluteFilePath() : relatif;
    for (int k = 1; k <= 5; ++k) {
        if (!l[QStringLiteral("nom_contact%1").arg(k)].isNull()) continue;
        l[QStringLiteral("nom_contact%1").arg(k)] = u(h.parmi(noms_famille));
        l[u("prénom_contact%1").arg(k)] = u(h.parmi(prenoms_contacts));
        l[u("téléphone_contact%1").arg(k)] = portable(h);
    }
    if (l[u("langue_vivante_élève")].isNull()) l[u("langue_vivante_élève")] = u(h.parmi(langues));
    if (l[u("saisine_ccpe_élève")].isNull()) l[u("saisine_ccpe_élève")] = u("Aucune saisine");
    if (l[u("adresse2_résidence")].isNull()) l[u("adresse2_résidence")] = u(h.parmi(complements_adresse));
    if (l["allergies"].isNull()) l["allergies"] = u(h.parmi(allergies));
    if (l["contre_indications"].isNull()) l["contre_indications"] = u("Aucune");
    if (l[u("observations_médicales")].isNull())
        l[u("observations_médicales")] = u("Asthme léger : ventoline dans le cartable.\nPrévenir la famille en cas de crise.");
    if (l["participation_usep"].isNull()) l["participation_usep"] = "oui";
    if (l[u("observations_générales")].isNull())
        l[u("observations_générales")] = u("Enfant attentif et curieux.\nAime la lecture et les sciences.");
    l[u("champ_paramétable5")] = u("Suivi RASED le jeudi matin.\nBilan orthophonique en cours.");
    l[u("champ_paramétable6")] = u("Lundi, mardi, jeudi");
    l[u("champ_paramétable7")] = "oui";
    l[u("champ_paramétable8")] = h.chance(50) ? "oui" : "non";
    l[u("champ_paramétable9")] = u("Classe de mer en mai.\nProjet chorale avec l'école de musique.");
    l[u("champ_paramétable10")] = u("Livret transmis par l'école précédente.");
    // The last two leave at the end of the school year for the secondary school.
    if (numero > ElevesVitrine - 2) {
        l[u("date_radiation_élève")] = QDate(annee + 1, 7, 4).toString(Qt::ISODate);
        l[u("établissement_accueil")] = u("Collège Jean Moulin, 69530 Brignais");
    }
}

void ecrire_familles_et_eleves(sqlite3* base, Hasard& h, const Parametres& p, const QString& dossier_base) {
    // Every family has one child, the others are shared out, at most four to a family.
    QVector<int> enfants(p.familles, 1);
    for (int reste = p.eleves - p.familles; reste > 0; --reste) {
        int f = h.entre(0, p.familles - 1);
        while (enfants[f] == 4) f = (f + 1) % p.familles;
        ++enfants[f];
    }

    const QStringList champs_familles = champs_table(base, "familles");
    const QStringList champs_eleves = champs_table(base, "élèves");
    Insertion ins_familles(base, "familles", champs_familles);
    Ligne f(champs_familles);
    std::vector<Eleve> eleves;
    eleves.reserve(p.eleves);
    for (int numero = 0; numero < p.familles; ++numero) {
        const Famille fam = ecrire_famille(f, h, numero + 1, enfants[numero]);
        ins_familles.ecrire(f.valeurs());
        QStringList prenoms;
        const size_t premier = eleves.size();
        for (int k = 0; k < fam.enfants; ++k)
            eleves.push_back(creer_eleve(champs_eleves, h, fam, numero, p.aujourdhui, prenoms));
        // The eldest of the siblings in the school, one per family.
        size_t aine = premier;
        for (size_t k = premier + 1; k < eleves.size(); ++k)
            if (eleves[k].naissance < eleves[aine].naissance) aine = k;
        eleves[aine].ligne[u("ainé")] = true;
    }

    // Matricules follow the order of enrolment, as when the pupils were entered over the years.
    std::stable_sort(eleves.begin(), eleves.end(), [](const Eleve& a, const Eleve& b) {
        return a.inscription != b.inscription ? a.inscription < b.inscription : a.naissance > b.naissance;
    });
    Insertion ins_eleves(base, "élèves", champs_eleves);
    const QString photos = p.dossier_photos;
    const bool portraits = !photos.isEmpty() && QDir().mkpath(photos);
    int matricule = 0;
    for (Eleve& e : eleves) {
        e.ligne["matricule"] = QStringLiteral("%1").arg(++matricule, 6, 10, QChar('0'));
        if (portraits && matricule <= ElevesVitrine)
            completer_vitrine(e.ligne, h, matricule, photos, dossier_base, annee_scolaire(p.aujourdhui));
        ins_eleves.ecrire(e.ligne.valeurs());
    }
}

}  // namespace

int familles_par_defaut(int eleves) { return eleves <= 0 ? 0 : std::max(1, (eleves * 10 + 8) / 16); }

void generer(const QString& modele, const QString& cible, const Parametres& p) {
    if (p.eleves < 0 || p.familles < 0) throw EchecEcriture("les nombres d'élèves et de familles doivent être positifs");
    if (p.familles > p.eleves || p.eleves > 4 * p.familles)
        throw EchecEcriture("chaque famille compte de un à quatre enfants : il faut entre "
                            "le quart du nombre d'élèves et ce nombre de familles");
    if (!QFile::exists(modele)) throw EchecEcriture(("modèle introuvable : " + modele).toStdString());
    if (QFile::exists(cible)) throw EchecEcriture(("le fichier existe déjà : " + cible).toStdString());
    if (!QFile::copy(modele, cible)) throw EchecEcriture(("copie impossible vers " + cible).toStdString());
    QFile::setPermissions(cible, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    sqlite3* base = nullptr;
    try {
        if (sqlite3_open_v2(cible.toUtf8().constData(), &base, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw EchecEcriture(sqlite3_errmsg(base));
        executer(base, "PRAGMA synchronous=OFF");
        executer(base, "BEGIN");
        Hasard h(p.graine);
        ecrire_ecole(base);
        ecrire_inspection(base);
        ecrire_equipe(base, h);
        ecrire_listes_locales(base);
        ecrire_parametres(base);
        ecrire_documents(base);
        Parametres q = p;
        if (q.dossier_photos.isEmpty()) q.dossier_photos = QFileInfo(cible).absolutePath() + QStringLiteral("/photos");
        ecrire_familles_et_eleves(base, h, q, QFileInfo(cible).absolutePath());
        executer(base, "COMMIT");
        if (sqlite3_close(base) != SQLITE_OK) throw EchecEcriture(sqlite3_errmsg(base));
    } catch (...) {
        sqlite3_close(base);
        QFile::remove(cible);
        throw;
    }
}

}  // namespace exemple
