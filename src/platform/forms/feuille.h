#pragma once
// A window of the program. Every window but the main window, the splash and the login
// window is a child of the main window's multi-document area. Its geometry is read and set
// in twips, relative to that area (or to the screen for a top-level window).
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

class QMdiArea;

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
    // Shows what was read from the working database without a data control of its own (a
    // print preview): it goes with the database when the database closes or changes.
    virtual bool montreLaBase() const { return false; }

    // Shown modeless and brought to the front.
    void afficher();
    void masquer();
    bool estAffichee() const;
    // Runs Form_Unload, then hides the window and forgets it at once: the next access loads
    // it anew. The object itself is deleted when control returns to the event loop, so that
    // an event handler of the window may unload it and still finish safely.
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
    // Keys no control used: Enter presses the window's default button, Escape calls echap().
    void keyPressEvent(QKeyEvent* e) override;
    // Escape: the key people press to cancel. By default it presses the window's "cmdFermer";
    // a window with something to give up first does so. False when nothing took the key.
    virtual bool echap();

private:
    [[noreturn]] void controleIntrouvable(const QString& nom) const;
    friend class Feuilles;
    // Puts the window in a sub-window of the multi-document area.
    void encadrer(QMdiArea* zone);
    // Deletes the window (and its sub-window) at once.
    void detruire();
    QWidget* cadreOuSoi() const;
    bool aLeFocus() const;
    void tenirDansLaZone();
    static void preparerMenuSysteme(QMdiSubWindow* cadre);
    double lireTwips(int indice, int pixels) const;
    void noterTwips(int indice, double twips);

    bool enfant_;
    QPointer<QMdiSubWindow> cadre_;
    bool enDechargement_ = false;
    // The field that had the focus before this window took it: it has it back when the
    // window is hidden or unloaded.
    QPointer<QWidget> retour_;
    void rendreLeFocus();
    QSize tailleDessin_;  // the designed frame size in pixels, empty when none was given
    // The last value set in twips for Top, Left, Width, Height, with the pixels it gave:
    // read back as set while the window has not moved since, so no rounding creeps in.
    struct Memo { double twips = 0; int pixels = 0; bool valide = false; };
    Memo memo_[4];
};

}  // namespace forms
