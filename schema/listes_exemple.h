#pragma once
// The fictitious people, places and wordings of the demonstration database. Every text fits
// the width of the field that receives it.

namespace exemple {

inline const char* const noms_famille[] = {
    "Martin", "Bernard", "Dubois", "Thomas", "Robert", "Richard", "Petit", "Durand", "Leroy",
    "Moreau", "Simon", "Laurent", "Lefèvre", "Michel", "Garcia", "David", "Bertrand", "Roux",
    "Vincent", "Fournier", "Morel", "Girard", "André", "Mercier", "Dupont", "Lambert", "Bonnet",
    "François", "Martinez", "Legrand", "Garnier", "Faure", "Rousseau", "Blanc", "Guérin",
    "Müller", "Henry", "Roussel", "Nicolas", "Perrin", "Morin", "Mathieu", "Clément", "Gauthier",
    "Dumont", "Lopez", "Fontaine", "Chevalier", "Robin", "Masson", "Sanchez", "Gérard", "Nguyen",
    "Boyer", "Denis", "Lemaire", "Duval", "Joly", "Roger", "Roche", "Noël", "Meyer", "Lucas",
    "Meunier", "Pérez", "Marchand", "Dufour", "Blanchard", "Barbier", "Brun", "Dumas", "Brunet",
    "Schmitt", "Leroux", "Colin", "Fernandez", "Renard", "Arnaud", "Caron", "Aubert", "Giraud",
    "Leclerc", "Vidal", "Bourgeois", "Renaud", "Lemoine", "Picard", "Gaillard", "Lacroix",
    "Fabre", "Dupuis", "Olivier", "Da Silva", "Hubert", "Rivière", "Le Gall", "Guillaume",
    "Moulin", "Berger", "Lecomte", "Ménard", "Fleury", "Deschamps", "Carpentier", "Benoît",
    "Maillard", "Aubry", "Prévost", "Poirier", "Charpentier", "Huet", "Dupuy", "Carré", "Rémy",
    "Schneider", "Perret", "Lebrun", "N'Diaye", "D'Almeida", "Diallo", "Traoré", "Benali",
    "Haddad", "Yilmaz", "Dos Santos", "Pereira", "L'Hôte", "D'Aubigné", "Bégué", "Hénault",
    "Étienne", "Lœillet", "Saint-André", "Le Bihan", "Kowalski", "Ferrière", "Boulanger"};

inline const char* const prenoms_garcons[] = {
    "Gabriel", "Léo", "Raphaël", "Arthur", "Louis", "Jules", "Adam", "Maël", "Lucas", "Hugo",
    "Noah", "Liam", "Gabin", "Sacha", "Paul", "Nathan", "Aaron", "Mohamed", "Ethan", "Tom",
    "Léon", "Noé", "Théo", "Timéo", "Isaac", "Marius", "Victor", "Martin", "Naël", "Axel",
    "Éden", "Émile", "Noël", "Ilyès", "Baptiste", "Clément", "Maxime", "Loïc", "Gaël", "Côme",
    "Mathéo", "Élie", "Rayan", "Yanis", "Antoine", "Valentin", "Robin", "Évan", "Timothée",
    "Jean-Baptiste"};

inline const char* const prenoms_filles[] = {
    "Jade", "Louise", "Emma", "Alice", "Ambre", "Lina", "Rose", "Chloé", "Mia", "Léa", "Anna",
    "Mila", "Julia", "Inès", "Léna", "Agathe", "Zoé", "Juliette", "Lou", "Iris", "Éléa",
    "Léonie", "Romane", "Manon", "Camille", "Nina", "Lucie", "Sarah", "Margaux", "Héloïse",
    "Maëlys", "Clémence", "Élise", "Noémie", "Anaïs", "Maëlle", "Océane", "Aïcha", "Salomé",
    "Capucine", "Gaëlle", "Joséphine", "Inaya", "Mélissa", "Éloïse", "Adèle", "Céleste", "Thaïs",
    "Naïa", "Marie-Ève"};

inline const char* const prenoms_hommes[] = {
    "Nicolas", "Julien", "Sébastien", "Guillaume", "Mathieu", "Thomas", "Jérôme", "Stéphane",
    "Frédéric", "Cédric", "Christophe", "Olivier", "David", "Anthony", "Romain", "Vincent",
    "Damien", "Benoît", "Grégory", "Ludovic", "Karim", "Mehdi", "Rachid", "Mamadou", "Yannick",
    "Fabien", "Loïc", "Hervé", "Jean-François", "François-Xavier", "Éric", "Thierry", "Rémi",
    "Aurélien", "Jérémy", "Alexandre", "Maxime", "Laurent", "Arnaud", "José"};

inline const char* const prenoms_femmes[] = {
    "Émilie", "Julie", "Aurélie", "Céline", "Stéphanie", "Sandrine", "Nathalie", "Caroline",
    "Élodie", "Audrey", "Mélanie", "Sophie", "Virginie", "Laetitia", "Amélie", "Marie", "Hélène",
    "Séverine", "Karine", "Fatima", "Nadia", "Aïssatou", "Sabrina", "Anne-Sophie", "Marie-Hélène",
    "Claire", "Isabelle", "Delphine", "Vanessa", "Laure", "Magali", "Valérie", "Cécile", "Gaëlle",
    "Pauline", "Agnès", "Noémie", "Zoé", "Maïwenn", "Françoise"};

// Grandparents, neighbours and friends authorised to fetch a child.
inline const char* const prenoms_contacts[] = {
    "Monique", "Jacqueline", "Bernard", "Gérard", "Françoise", "Michèle", "René", "Josette",
    "Daniel", "Chantal", "Jean-Claude", "Geneviève", "André", "Hélène", "Noëlle", "Gisèle"};

struct Ville {
    const char* code_postal;
    const char* nom;
};
// The school's town comes first; most families live there.
inline const Ville villes[] = {
    {"69530", "Brignais"},  {"69630", "Chaponost"},         {"69390", "Vourles"},
    {"69390", "Millery"},   {"69390", "Charly"},            {"69230", "Saint-Genis-Laval"},
    {"69600", "Oullins"},   {"69540", "Irigny"},            {"69510", "Soucieu-en-Jarrest"},
    {"69700", "Montagny"},  {"69510", "Messimy"},           {"69510", "Thurins"}};

inline const char* const rues[] = {
    "Rue de la République", "Rue Victor Hugo", "Avenue Jean Jaurès", "Place de l'Église",
    "Chemin des Écoliers", "Allée des Tilleuls", "Rue du Moulin", "Impasse des Lilas",
    "Rue Pasteur", "Boulevard de l'Europe", "Route de Lyon", "Rue des Érables",
    "Chemin de la Côte", "Rue Émile Zola", "Montée du Château", "Rue Jean Moulin",
    "Rue de la Gare", "Avenue du Général de Gaulle", "Rue des Jardins", "Place du Marché",
    "Rue Louis Pergaud", "Chemin du Pré-Fleuri", "Rue de l'Oratoire", "Rue Sainte-Thérèse",
    "Allée des Châtaigniers", "Rue des Forgerons", "Chemin de la Garenne", "Rue du Stade"};

inline const char* const complements_adresse[] = {
    "Bâtiment A", "Bâtiment C", "Résidence Les Glycines", "Résidence Le Clos fleuri",
    "Appartement 12", "Escalier 2, 3e étage", "Lieu-dit Les Bruyères", "Hameau de la Fontaine"};

inline const char* const lieux_naissance[] = {
    "Lyon", "Lyon", "Lyon", "Villeurbanne", "Saint-Genis-Laval", "Vénissieux", "Bron", "Écully",
    "Pierre-Bénite", "Brignais", "Oullins", "Marseille", "Paris", "Grenoble", "Saint-Étienne",
    "Villefranche-sur-Saône", "Annecy", "Clermont-Ferrand"};

struct Nationalite {
    const char* libelle;
    const char* code;
    const char* lieu_naissance;  // a birthplace abroad for a pupil of this nationality
};
// Nationalities other than French, with the code of the nationalities list.
inline const Nationalite nationalites_etrangeres[] = {
    {"Portugaise", "139", "Porto (Portugal)"},     {"Marocaine", "350", "Casablanca (Maroc)"},
    {"Algérienne", "352", "Alger (Algérie)"},      {"Tunisienne", "351", "Tunis (Tunisie)"},
    {"Italienne", "127", "Turin (Italie)"},        {"Espagnole", "134", "Valence (Espagne)"},
    {"Turque", "208", "Ankara (Turquie)"},         {"Sénégalaise", "341", "Dakar (Sénégal)"},
    {"Roumaine", "114", "Bucarest (Roumanie)"},    {"Allemande", "109", "Fribourg (Allemagne)"},
    {"Belge", "131", "Liège (Belgique)"},          {"Britannique", "132", "Londres (Royaume-Uni)"}};

struct Profession {
    const char* masculin;
    const char* feminin;
    const char* csp;
    const char* employeur;
};
inline const Profession professions[] = {
    {"Agriculteur", "Agricultrice", "10", "Exploitation familiale"},
    {"Boulanger", "Boulangère", "21", "Boulangerie du Centre"},
    {"Plombier", "Plombière", "21", "À son compte"},
    {"Commerçant", "Commerçante", "22", "Épicerie fine Saint-André"},
    {"Chef d'entreprise", "Cheffe d'entreprise", "23", "Rhône Bâtiment SA"},
    {"Médecin", "Médecin", "31", "Cabinet médical des Tilleuls"},
    {"Avocat", "Avocate", "31", "Cabinet Ferrière & associés"},
    {"Attaché territorial", "Attachée territoriale", "33", "Mairie de Brignais"},
    {"Professeur de lycée", "Professeure de lycée", "34", "Lycée Jean-Paul Sartre"},
    {"Journaliste", "Journaliste", "35", "Le Progrès du Sud-Ouest"},
    {"Cadre commercial", "Cadre commerciale", "37", "Société Lyonnaise d'Électronique"},
    {"Ingénieur", "Ingénieure", "38", "Chimie Vallée du Rhône"},
    {"Professeur des écoles", "Professeure des écoles", "42", "Éducation nationale"},
    {"Infirmier", "Infirmière", "43", "Centre hospitalier Lyon Sud"},
    {"Éducateur spécialisé", "Éducatrice spécialisée", "43", "Foyer Les Hirondelles"},
    {"Secrétaire administratif", "Secrétaire administrative", "45", "Préfecture du Rhône"},
    {"Comptable", "Comptable", "46", "Cabinet Aubert expertise"},
    {"Technicien de maintenance", "Technicienne de maintenance", "47", "Transports du Lyonnais"},
    {"Agent de maîtrise", "Agente de maîtrise", "48", "Usine Métallurgie du Garon"},
    {"Agent d'entretien", "Agente d'entretien", "52", "Commune de Chaponost"},
    {"Gendarme", "Gendarme", "53", "Gendarmerie nationale"},
    {"Employé de bureau", "Employée de bureau", "54", "Assurances du Lyonnais"},
    {"Vendeur", "Vendeuse", "55", "Hypermarché des Monts"},
    {"Coiffeur", "Coiffeuse", "56", "Salon Émilie Coiffure"},
    {"Électricien", "Électricienne", "62", "Électricité Perret"},
    {"Chauffeur routier", "Chauffeuse routière", "64", "Transports Benali"},
    {"Magasinier", "Magasinière", "65", "Plateforme logistique de Corbas"},
    {"Ouvrier", "Ouvrière", "67", "Emballages du Sud-Ouest"},
    {"Étudiant", "Étudiante", "84", "Université Lyon 2"},
    {"Sans profession", "Sans profession", "85", ""}};

inline const char* const assurances[] = {
    "MAIF", "MAE", "MACIF", "MATMUT", "GMF", "AXA", "Groupama", "MMA", "Allianz",
    "Crédit Agricole Assurances"};

struct Praticien {  // a doctor or a hospital: name, telephone, address, town
    const char* nom;
    const char* telephone;
    const char* adresse;
    const char* ville;
};
inline const Praticien medecins[] = {
    {"Docteur Anne Lefèvre", "04 78 05 12 34", "12 rue de la République", "Brignais"},
    {"Docteur Karim Haddad", "04 78 05 47 80", "3 place du Marché", "Brignais"},
    {"Docteur Jean-Marc Roux", "04 78 45 22 19", "28 avenue Jean Jaurès", "Chaponost"},
    {"Docteur Hélène D'Almeida", "04 72 30 61 02", "5 rue Pasteur", "Saint-Genis-Laval"},
    {"Docteur Loïc Le Bihan", "04 78 46 90 11", "17 chemin de la Côte", "Vourles"},
    {"Docteur Céline Bégué", "04 78 51 73 40", "9 rue Émile Zola", "Oullins"}};
inline const Praticien hopitaux[] = {
    {"Centre hospitalier Lyon Sud", "04 78 86 10 00", "165 chemin du Grand Revoyet", "Pierre-Bénite"},
    {"Hôpital Femme Mère Enfant", "04 72 12 90 00", "59 boulevard Pinel", "Bron"},
    {"Clinique du Val d'Ouest", "04 72 16 70 00", "39 chemin de la Vernique", "Écully"},
    {"Hôpital Saint-Joseph Saint-Luc", "04 78 61 81 81", "20 quai Claude Bernard", "Lyon"}};

inline const char* const allergies[] = {
    "Arachides", "Pollens", "Lactose", "Œufs", "Gluten", "Piqûres d'abeille", "Acariens",
    "Pénicilline"};
inline const char* const restauration[] = {
    "Tous les jours", "Lundi, mardi, jeudi, vendredi", "Lundi et jeudi", "Non inscrit"};
inline const char* const langues[] = {"Anglais", "Anglais", "Anglais", "Anglais", "Allemand", "Espagnol"};

struct Niveau {
    const char* code;
    const char* cycle;
    int poids;  // share of the pupils in this level
};
// Index 4 is CP: a pupil of level i is born in the year the school year starts, less 2 + i.
inline const Niveau niveaux[] = {{"TPS", "1", 3},  {"PS", "1", 11}, {"MS", "1", 11},
                                 {"GS", "1", 11},  {"CP", "2", 12}, {"CE1", "2", 12},
                                 {"CE2", "2", 12}, {"CM1", "3", 11}, {"CM2", "3", 11}};

struct Classe {
    const char* reference;
    const char* niveaux;  // the teacher's level field: one level, or the two of a mixed class
    const char* cycle;
};
inline const Classe classes[] = {
    {"CL01", "TPS-PS", "1"}, {"CL02", "MS", "1"},  {"CL03", "GS", "1"},  {"CL04", "CP", "2"},
    {"CL05", "CE1", "2"},    {"CL06", "CE2", "2"}, {"CL07", "CM1", "3"}, {"CL08", "CM2", "3"}};

}  // namespace exemple
