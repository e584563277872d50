#pragma once
// A window of the program. Every window but the main window, the splash and the login
// window is a child of the main window's multi-document area. Its geometry is read and set
// in twips, relative to that area (or to the screen for a top-level window).
#include <QWidget>

class QMdiSubWindow;

namespace forms {

class Feuille : public QWidget {
    Q_OBJECT
public:
    // `nom` is the window's name (its objectName); `enfant` false for top-level windows.
    explicit Feuille(const QString& nom, bool enfant = true);
    ~Feuille() override;

    QString nom() const { return objectName(); }
    bool estEnfant() const { return enfant_; }

    // Load and unload events. Form_Unload may set `annuler` to keep the window.
    virtual void Form_Load() {}
    virtual void Form_Unload(int& annuler) {}
    // Windows hidden rather than closed by their close box (options, about, processing).
    virtual bool masqueeALaFermeture() const { return false; }

    // Shown modeless and brought to the front.
    void afficher();
    void masquer();
    bool estAffichee() const;
    // Runs Form_Unload, then deletes the window; the next access loads it anew.
    void decharger();

    // Geometry in twips (of the window frame, inside its container).
    double Top() const;
    double Left() const;
    double Width() const;
    double Height() const;
    void setTop(double twips);
    void setLeft(double twips);
    // The size the window is designed at, in twips.
    void definirTaille(double largeurTwips, double hauteurTwips);
    void setCaption(const QString& titre);
    QString Caption() const;

    // The size of what the window is centred in (the multi-document area, or the screen), in twips.
    double largeurEcran() const;
    double hauteurEcran() const;

    QMdiSubWindow* sousFenetre() const { return cadre_; }

    // A control of this window by its name; 91 when absent.
    template <class T> T* controle(const QString& nom) const {
        T* c = findChild<T*>(nom);
        if (!c) controleIntrouvable(nom);
        return c;
    }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    [[noreturn]] void controleIntrouvable(const QString& nom) const;
    friend class Feuilles;
    bool enfant_;
    QMdiSubWindow* cadre_ = nullptr;
    bool enDechargement_ = false;
};

}  // namespace forms
