#pragma once
// The main window: a multi-document area, the menu bar through which every function is
// reached and the six-panel status bar.
#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMenu;

namespace shell {

class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    MDIForm1();
    ~MDIForm1() override;

    // The main window's load: menus off, options read, then the last database or the chooser.
    void Form_Load();

    QMdiArea* zone() const { return zone_; }
    // Panels 1 to 6 of StatusBar1.
    QLabel* panneau(int numero) const;
    // A menu header or submenu by its name ("menuenfantsindex0").
    QMenu* menu(const QString& nom) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construireMenus();
    void construireBarreEtat();
    QMdiArea* zone_;
    QLabel* panneaux_[6] = {};
};

// The main window once the program has started; nullptr before.
MDIForm1* fenetre_principale();

}  // namespace shell
