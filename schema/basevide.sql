-- Blank template of a Carnelis database ("basevide.mdz"): every new database is a copy of it.
-- Widths are the most characters the windows let the user type; the engine refuses longer
-- values, so a width here must never be smaller than the window's limit.
-- Dates are stored as 'YYYY-MM-DD' text in DATE columns (shown JJ/MM/AAAA), yes/no ticks
-- as 0/1 in BOOLEAN columns. No foreign keys: values picked from the lists are copied as text.
PRAGMA journal_mode=DELETE;

BEGIN;

-- Access code of the database: one record, empty = no code asked at opening.
CREATE TABLE passe (
  passe VARCHAR(10)
);
INSERT INTO passe (passe) VALUES ('');

-- Captions and tooltips of the ten free pupil fields: one record.
CREATE TABLE "paramètres" (
  "intitulé_champ_paramétrable1" VARCHAR(20),
  "intitulé_champ_paramétrable2" VARCHAR(20),
  "intitulé_champ_paramétrable3" VARCHAR(20),
  "intitulé_champ_paramétrable4" VARCHAR(20),
  "intitulé_champ_paramétrable5" VARCHAR(20),
  "intitulé_champ_paramétrable6" VARCHAR(20),
  "intitulé_champ_paramétrable7" VARCHAR(20),
  "intitulé_champ_paramétrable8" VARCHAR(20),
  "intitulé_champ_paramétrable9" VARCHAR(20),
  "intitulé_champ_paramétrable10" VARCHAR(20),
  "infobulle_champ_paramétrable1" VARCHAR(50),
  "infobulle_champ_paramétrable2" VARCHAR(50),
  "infobulle_champ_paramétrable3" VARCHAR(50),
  "infobulle_champ_paramétrable4" VARCHAR(50),
  "infobulle_champ_paramétrable5" VARCHAR(50),
  "infobulle_champ_paramétrable6" VARCHAR(50),
  "infobulle_champ_paramétrable7" VARCHAR(50),
  "infobulle_champ_paramétrable8" VARCHAR(50),
  "infobulle_champ_paramétrable9" VARCHAR(50),
  "infobulle_champ_paramétrable10" VARCHAR(50)
);
INSERT INTO "paramètres" ("intitulé_champ_paramétrable1") VALUES (NULL);

-- The pupils. The matricule is the key, but a record is added before its matricule is
-- typed, so the key allows empty values (NULL or ''): a partial unique index, not a
-- NOT NULL primary key.
CREATE TABLE "élèves" (
  matricule VARCHAR(10),
  "nom_élève" VARCHAR(30),
  "prénom_élève" VARCHAR(30),
  "référence_famille" VARCHAR(10),
  "date_naissance_élève" DATE,
  "lieu_naissance_élève" VARCHAR(50),
  "sexe_élève" VARCHAR(8),
  "nationalité_élève" VARCHAR(30),
  "code_nationalité_élève" VARCHAR(5),
  "date_inscription_élève" DATE,
  "ainé" BOOLEAN,
  chemin_photo VARCHAR(254),
  "date_radiation_élève" DATE,
  "établissement_accueil" VARCHAR(50),
  "référence_classe_élève" VARCHAR(5),
  "niveau_classe_élève" VARCHAR(10),
  "cycle_classe_élève" VARCHAR(1),
  "cursus_allongé_élève" VARCHAR(50),
  "saisine_ccpe_élève" VARCHAR(50),
  "langue_vivante_élève" VARCHAR(30),
  nom_contact1 VARCHAR(30),
  "prénom_contact1" VARCHAR(30),
  "téléphone_contact1" VARCHAR(20),
  nom_contact2 VARCHAR(30),
  "prénom_contact2" VARCHAR(30),
  "téléphone_contact2" VARCHAR(20),
  nom_contact3 VARCHAR(30),
  "prénom_contact3" VARCHAR(30),
  "téléphone_contact3" VARCHAR(20),
  nom_contact4 VARCHAR(30),
  "prénom_contact4" VARCHAR(30),
  "téléphone_contact4" VARCHAR(20),
  nom_contact5 VARCHAR(30),
  "prénom_contact5" VARCHAR(30),
  "téléphone_contact5" VARCHAR(20),
  "numéro_résidence" VARCHAR(10),
  "adresse_résidence" VARCHAR(50),
  "adresse2_résidence" VARCHAR(50),
  "code_postal_résidence" VARCHAR(8),
  "ville_résidence" VARCHAR(50),
  "téléphone1_résidence" VARCHAR(20),
  "téléphone2_résidence" VARCHAR(20),
  vaccinations VARCHAR(50),
  allergies VARCHAR(50),
  contre_indications VARCHAR(50),
  "observations_médicales" TEXT,
  participation_usep VARCHAR(20),
  restauration_scolaire VARCHAR(30),
  "coopérative_scolaire" VARCHAR(30),
  "observations_générales" TEXT,
  "champ_paramétable1" VARCHAR(50),
  "champ_paramétable2" VARCHAR(50),
  "champ_paramétable3" VARCHAR(50),
  "champ_paramétable4" VARCHAR(50),
  "champ_paramétable5" TEXT,
  "champ_paramétable6" VARCHAR(50),
  "champ_paramétable7" VARCHAR(50),
  "champ_paramétable8" VARCHAR(50),
  "champ_paramétable9" TEXT,
  "champ_paramétable10" TEXT
);
CREATE UNIQUE INDEX "élèves_matricule" ON "élèves" (matricule) WHERE matricule <> '';
-- The unique index leaves blank keys out, so SQLite cannot use it to find a matricule or to
-- sort by it: plain indexes serve those, and the children of a family. Sorting by name reads
-- the names from their index rather than every page of the table.
CREATE INDEX "élèves_matricule_recherche" ON "élèves" (matricule);
CREATE INDEX "élèves_référence_famille" ON "élèves" ("référence_famille");
CREATE INDEX "élèves_nom" ON "élèves" ("nom_élève", "prénom_élève");

-- The families: legal guardian (Parent 1), second parent (Parent 2), insurance, doctor,
-- hospital and consent. Keyed like the pupils, for the same reason.
CREATE TABLE familles (
  "référence_famille" VARCHAR(10),
  "genre_responsable_légal" VARCHAR(20),
  "nom_responsable_légal" VARCHAR(30),
  "prénom_responsable_légal" VARCHAR(30),
  "profession_responsable_légal" VARCHAR(50),
  "csp_responsable_légal" VARCHAR(2),
  "employeur_responsable_légal" VARCHAR(50),
  "téléphone_professionnel1_responsable_légal" VARCHAR(20),
  "téléphone_professionnel2_responsable_légal" VARCHAR(20),
  "mail_responsable_légal" VARCHAR(50),
  "élection_comité_responsable_légal" VARCHAR(3),
  "numéro_responsable" VARCHAR(10),
  adresse_responsable VARCHAR(50),
  adresse2_responsable VARCHAR(50),
  code_postal_responsable VARCHAR(8),
  ville_responsable VARCHAR(50),
  situation_familiale VARCHAR(50),
  genre_conjoint VARCHAR(20),
  nom_conjoint VARCHAR(30),
  "prénom_conjoint" VARCHAR(30),
  profession_conjoint VARCHAR(50),
  csp_conjoint VARCHAR(2),
  employeur_conjoint VARCHAR(50),
  "téléphone_professionnel1_conjoint" VARCHAR(20),
  "téléphone_professionnel2_conjoint" VARCHAR(20),
  mail_conjoint VARCHAR(50),
  "élection_comité_conjoint" VARCHAR(3),
  "numéro_conjoint" VARCHAR(10),
  adresse_conjoint VARCHAR(50),
  adresse2_conjoint VARCHAR(50),
  code_postal_conjoint VARCHAR(8),
  ville_conjoint VARCHAR(50),
  "communication_données" VARCHAR(3),
  "société_assurance" VARCHAR(50),
  police_assurance VARCHAR(30),
  observations_assurance TEXT,
  "médecin_traitant" VARCHAR(50),
  "adresse_médecin_traitant" VARCHAR(50),
  "ville_médecin_traitant" VARCHAR(30),
  "téléphone_médecin_traitant" VARCHAR(20),
  "hôpital_préférentiel" VARCHAR(50),
  "adresse_hôpital_préférentiel" VARCHAR(50),
  "ville_hôpital_préférentiel" VARCHAR(30),
  "téléphone_hôpital_préférentiel" VARCHAR(20)
);
CREATE UNIQUE INDEX "familles_référence_famille" ON familles ("référence_famille")
  WHERE "référence_famille" <> '';
CREATE INDEX "familles_référence_famille_recherche" ON familles ("référence_famille");
CREATE INDEX familles_nom ON familles ("nom_responsable_légal", "prénom_responsable_légal");
CREATE INDEX familles_conjoint ON familles ("nom_conjoint");

-- Document templates printed for a pupil. The name is how the pupil window finds a
-- template, but two templates may bear the same name (and new ones start nameless),
-- so it carries no unique index.
CREATE TABLE documents (
  "intitulé_bouton" VARCHAR(30),
  affichage_date BOOLEAN,
  "affichage_coordonnées_responsable_légal" BOOLEAN,
  titre_document VARCHAR(50),
  destinataire_document VARCHAR(50),
  paragraphe1_document VARCHAR(254),
  "affichage_coordonnées_directeur" BOOLEAN,
  paragraphe2_document VARCHAR(254),
  "affichage_coordonnées_élève" BOOLEAN,
  paragraphe3_document VARCHAR(254),
  paragraphe4_document VARCHAR(254),
  paragraphe5_document VARCHAR(254),
  paragraphe6_document VARCHAR(254),
  politesse_document VARCHAR(254),
  affichage_signature_directeur BOOLEAN,
  post_scriptum VARCHAR(254)
);

-- The school and its head teacher: one record.
CREATE TABLE "école" (
  "nom_école" VARCHAR(50),
  "adresse_école" VARCHAR(50),
  "adresse2_école" VARCHAR(50),
  "numéro_école" VARCHAR(10),
  "code_postal_école" VARCHAR(8),
  "ville_école" VARCHAR(50),
  "téléphone_école" VARCHAR(20),
  "télécopie_école" VARCHAR(20),
  "mail_école" VARCHAR(50),
  "rne_école" VARCHAR(20),
  "genre_directeur_école" VARCHAR(20),
  "nom_directeur_école" VARCHAR(30),
  "prénom_directeur_école" VARCHAR(30),
  politesse_directeur VARCHAR(30),
  titre_directeur VARCHAR(30)
);

-- The district inspection and its inspector: one record. The inspector's form of address
-- keeps the field name the program has always used, genre_inpecteur.
CREATE TABLE inspection (
  nom_inspection VARCHAR(50),
  adresse_inspection VARCHAR(50),
  adresse2_inspection VARCHAR(50),
  "numéro_inspection" VARCHAR(10),
  code_postal_inspection VARCHAR(8),
  ville_inspection VARCHAR(50),
  "téléphone_inspection" VARCHAR(20),
  "télécopie_inspection" VARCHAR(20),
  mail_inspection VARCHAR(50),
  rne_inspection VARCHAR(20),
  genre_inpecteur VARCHAR(20),
  nom_inspecteur VARCHAR(30),
  "prénom_inspecteur" VARCHAR(30),
  politesse_inspecteur VARCHAR(50),
  titre_inspecteur VARCHAR(50)
);

-- The teaching team: one record per teacher and the class the teacher holds.
CREATE TABLE "équipe" (
  genre_enseignant VARCHAR(20),
  nom_enseignant VARCHAR(30),
  "prénom_enseignant" VARCHAR(30),
  "numéro_enseignant" VARCHAR(10),
  adresse1_enseignant VARCHAR(50),
  adresse2_enseignant VARCHAR(50),
  code_postal_enseignant VARCHAR(8),
  ville_enseignant VARCHAR(50),
  "téléphone1_enseignant" VARCHAR(20),
  "téléphone2_enseignant" VARCHAR(20),
  mail_enseignant VARCHAR(50),
  "référence_classe_enseignant" VARCHAR(5),
  niveau_classe_enseignant VARCHAR(10),
  cycle_classe_enseignant VARCHAR(1)
);

-- The thirteen reference lists. Column order is the order of each list's grid, by which
-- the pickers copy values. Lists of the school's own surroundings start empty.
CREATE TABLE adresses ("détails" VARCHAR(50));
CREATE TABLE assurances ("détails" VARCHAR(50));
CREATE TABLE "hôpitaux" (nom VARCHAR(50), "téléphone" VARCHAR(20), adresse VARCHAR(50), ville VARCHAR(30));
CREATE TABLE "médecins" (nom VARCHAR(50), "téléphone" VARCHAR(20), adresse VARCHAR(50), ville VARCHAR(30));
CREATE TABLE villes (code_postal VARCHAR(8), "détails" VARCHAR(50));

CREATE TABLE csp (code VARCHAR(2), "détails" VARCHAR(100));
-- Socio-professional categories (INSEE, in their two-digit codes).
INSERT INTO csp (code, "détails") VALUES
  ('10', 'Agriculteurs exploitants'),
  ('21', 'Artisans'),
  ('22', 'Commerçants et assimilés'),
  ('23', 'Chefs d''entreprise de 10 salariés ou plus'),
  ('31', 'Professions libérales'),
  ('33', 'Cadres de la fonction publique'),
  ('34', 'Professeurs, professions scientifiques'),
  ('35', 'Professions de l''information, des arts et des spectacles'),
  ('37', 'Cadres administratifs et commerciaux d''entreprise'),
  ('38', 'Ingénieurs et cadres techniques d''entreprise'),
  ('42', 'Professeurs des écoles, instituteurs et assimilés'),
  ('43', 'Professions intermédiaires de la santé et du travail social'),
  ('44', 'Clergé, religieux'),
  ('45', 'Professions intermédiaires administratives de la fonction publique'),
  ('46', 'Professions intermédiaires administratives et commerciales des entreprises'),
  ('47', 'Techniciens'),
  ('48', 'Contremaîtres, agents de maîtrise'),
  ('52', 'Employés civils et agents de service de la fonction publique'),
  ('53', 'Policiers et militaires'),
  ('54', 'Employés administratifs d''entreprise'),
  ('55', 'Employés de commerce'),
  ('56', 'Personnels des services directs aux particuliers'),
  ('62', 'Ouvriers qualifiés de type industriel'),
  ('63', 'Ouvriers qualifiés de type artisanal'),
  ('64', 'Chauffeurs'),
  ('65', 'Ouvriers qualifiés de la manutention, du magasinage et du transport'),
  ('67', 'Ouvriers non qualifiés de type industriel'),
  ('68', 'Ouvriers non qualifiés de type artisanal'),
  ('69', 'Ouvriers agricoles'),
  ('71', 'Anciens agriculteurs exploitants'),
  ('72', 'Anciens artisans, commerçants, chefs d''entreprise'),
  ('74', 'Anciens cadres'),
  ('75', 'Anciennes professions intermédiaires'),
  ('77', 'Anciens employés'),
  ('78', 'Anciens ouvriers'),
  ('81', 'Chômeurs n''ayant jamais travaillé'),
  ('83', 'Militaires du contingent'),
  ('84', 'Élèves, étudiants'),
  ('85', 'Personnes sans activité professionnelle de moins de 60 ans (sauf retraités)'),
  ('86', 'Personnes sans activité professionnelle de 60 ans et plus (sauf retraités)');

CREATE TABLE langues_vivantes ("détails" VARCHAR(30));
INSERT INTO langues_vivantes ("détails") VALUES
  ('Anglais'), ('Allemand'), ('Espagnol'), ('Italien'), ('Portugais'),
  ('Arabe'), ('Chinois'), ('Russe'), ('Turc'), ('Breton'), ('Basque'),
  ('Catalan'), ('Corse'), ('Occitan'), ('Alsacien');

-- Nationalities with the three-digit INSEE country code (France 100).
CREATE TABLE "nationalités" ("détails" VARCHAR(30), code VARCHAR(5));
INSERT INTO "nationalités" ("détails", code) VALUES
  ('Française', '100'),
  ('Allemande', '109'),
  ('Roumaine', '114'),
  ('Polonaise', '122'),
  ('Italienne', '127'),
  ('Belge', '131'),
  ('Britannique', '132'),
  ('Espagnole', '134'),
  ('Portugaise', '139'),
  ('Suisse', '140'),
  ('Turque', '208'),
  ('Chinoise', '216'),
  ('Camerounaise', '322'),
  ('Ivoirienne', '326'),
  ('Malienne', '335'),
  ('Sénégalaise', '341'),
  ('Marocaine', '350'),
  ('Tunisienne', '351'),
  ('Algérienne', '352'),
  ('Américaine', '404');

CREATE TABLE sexe ("détails" VARCHAR(8));
INSERT INTO sexe ("détails") VALUES ('Masculin'), ('Féminin');

CREATE TABLE situations_familiales ("détails" VARCHAR(50));
INSERT INTO situations_familiales ("détails") VALUES
  ('Marié(e)'), ('Pacsé(e)'), ('Vie maritale'), ('Divorcé(e)'), ('Séparé(e)'),
  ('Célibataire'), ('Veuf(ve)');

-- Levels and their cycles: 1 for the nursery school, 2 and 3 for the elementary school.
CREATE TABLE niveaux (code VARCHAR(10), "détails" VARCHAR(50), cycle VARCHAR(1));
INSERT INTO niveaux (code, "détails", cycle) VALUES
  ('TPS', 'Toute petite section', '1'),
  ('PS', 'Petite section', '1'),
  ('MS', 'Moyenne section', '1'),
  ('GS', 'Grande section', '1'),
  ('CP', 'Cours préparatoire', '2'),
  ('CE1', 'Cours élémentaire 1re année', '2'),
  ('CE2', 'Cours élémentaire 2e année', '2'),
  ('CM1', 'Cours moyen 1re année', '3'),
  ('CM2', 'Cours moyen 2e année', '3');

CREATE TABLE genres ("détails" VARCHAR(20));
INSERT INTO genres ("détails") VALUES ('Monsieur'), ('Madame'), ('Mademoiselle');

CREATE TABLE assertions ("détails" VARCHAR(3));
INSERT INTO assertions ("détails") VALUES ('oui'), ('non');

COMMIT;
