#pragma once
// Drive, folder and file lists. Drives are the mounted volumes; paths use "/".
#include <QComboBox>
#include <QListWidget>

namespace forms {

class ListeLecteurs : public QComboBox {
    Q_OBJECT
public:
    explicit ListeLecteurs(QWidget* parent = nullptr);
    QString Drive() const;              // mount point of the chosen volume
    void setDrive(const QString& lecteur);  // the volume holding this path
signals:
    void Change();
};

// The folders above the current one, the current one, then its subfolders.
class ListeDossiers : public QListWidget {
    Q_OBJECT
public:
    explicit ListeDossiers(QWidget* parent = nullptr);
    QString Path() const;
    void setPath(const QString& chemin);  // emits Change when it changes; 76 when absent
    // The folder highlighted in the list (moved to with the arrow keys, not opened yet); the
    // current folder when none is.
    QString cheminSurligne() const;
signals:
    void Change();

protected:
    // Enter or Space opens the folder under the cursor, as a click does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void remplir();
    QString chemin_;
};

class ListeFichiers : public QListWidget {
    Q_OBJECT
public:
    explicit ListeFichiers(QWidget* parent = nullptr);
    QString Path() const;
    void setPath(const QString& dossier);  // 76 when the folder is absent
    QString Pattern() const;
    void setPattern(const QString& motifs);  // "*.mdb", "*.jpg;*.bmp;*.gif"
    QString FileName() const;                // the selected name, "" when none
    int ListIndex() const;                   // -1 when none
    void setListIndex(int i);
    void Refresh();
signals:
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    // Enter on a file does what a double-click does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString dossier_;
    QString motifs_;
    int ligneAvantClic_ = -1;
    int ligneSignalee_ = -1;  // the entry that the last Click told of
};

}  // namespace forms
