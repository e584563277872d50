-- Blank template of a Carnelis database.
PRAGMA journal_mode=DELETE;
CREATE TABLE passe (passe VARCHAR(10));
INSERT INTO passe VALUES (NULL);
