#include "platform/forms/listes_fichiers.h"
#include <QKeyEvent>
#include <QMetaMethod>
#include "platform/db/erreurs_moteur.h"

#include "platform/db/ordre_francais.h"
#include "platform/erreur.h"
#include "platform/forms/erreurs_boites.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSet>
#include <QStorageInfo>

namespace forms {

namespace {

// File systems that hold no user files: kernel views, memory and package images.
bool systeme_de_fichiers_reel(const QStorageInfo& v) {
    static const QSet<QByteArray> virtuels = {
        "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "ramfs", "cgroup", "cgroup2",
        "securityfs", "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs",
        "pstore", "bpf", "autofs", "binfmt_misc", "efivarfs", "nsfs", "squashfs", "overlay",
        "rpc_pipefs", "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse"};
    return v.isValid() && v.isReady() && !virtuels.contains(v.fileSystemType());
}

QString chemin_absolu(const QString& chemin) {
    return QDir::cleanPath(QDir(chemin).absolutePath());
}

[[noreturn]] void chemin_introuvable() {
    db::lever(erreurs_execution::CheminIntrouvable);
}

QStringList trier(QStringList noms) {
    std::sort(noms.begin(), noms.end(),
              [](const QString& a, const QString& b) { return db::francais::comparer(a, b) < 0; });
    return noms;
}

}  // namespace

// ---- drives

ListeLecteurs::ListeLecteurs(QWidget* parent) : QComboBox(parent) {
    QStringList points{QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (systeme_de_fichiers_reel(v) && !points.contains(v.rootPath())) points << v.rootPath();
    std::sort(points.begin() + 1, points.end());
    for (const QString& p : points) {
        const QString nom = QStorageInfo(p).displayName();
        addItem(nom.isEmpty() || nom == p ? p : p + QStringLiteral(" [") + nom + ']', p);
    }
    setDrive(QDir::currentPath());
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Change(); });
}

QString ListeLecteurs::Drive() const { return currentData().toString(); }

void ListeLecteurs::setDrive(const QString& lecteur) {
    // The volume holding the path: the longest mount point it lies under.
    const QString chemin = chemin_absolu(lecteur);
    int choisi = 0, longueur = -1;
    for (int i = 0; i < count(); ++i) {
        const QString point = itemData(i).toString();
        const bool dessous = chemin == point || point == QStringLiteral("/") ||
                             chemin.startsWith(point + '/');
        if (dessous && point.size() > longueur) {
            choisi = i;
            longueur = point.size();
        }
    }
    setCurrentIndex(choisi);  // Change follows when the volume is another one
}

// ---- folders

namespace {
constexpr int RoleChemin = Qt::UserRole;
}

ListeDossiers::ListeDossiers(QWidget* parent) : QListWidget(parent) {
    setPath(QDir::currentPath());
    // A click or a double-click on a folder opens it, once the click is over: the list is
    // rebuilt, and the clicked entry with it.
    auto ouvrir = [this](QListWidgetItem* e) {
        const QString chemin = e->data(RoleChemin).toString();
        QMetaObject::invokeMethod(this, [this, chemin] {
            pieger([&] { setPath(chemin); });  // a folder gone meanwhile
        }, Qt::QueuedConnection);
    };
    connect(this, &QListWidget::itemClicked, this, ouvrir);
    connect(this, &QListWidget::itemDoubleClicked, this, ouvrir);
}

QString ListeDossiers::Path() const { return chemin_; }

QString ListeDossiers::cheminSurligne() const {
    const QListWidgetItem* e = currentItem();
    return e ? e->data(RoleChemin).toString() : chemin_;
}

void ListeDossiers::keyPressEvent(QKeyEvent* e) {
    const bool ouvrir = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (ouvrir && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentItem()) {
        emit itemClicked(currentItem());
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void ListeDossiers::setPath(const QString& chemin) {
    const QString nouveau = chemin_absolu(chemin);
    if (!QFileInfo(nouveau).isDir()) chemin_introuvable();
    const bool change = nouveau != chemin_;
    chemin_ = nouveau;
    remplir();
    if (change) emit Change();
}

void ListeDossiers::remplir() {
    const QSignalBlocker bloque(this);
    clear();
    // The chain from the root down to the current folder, then its subfolders, indented.
    QStringList chaine;
    for (QDir d(chemin_);; ) {
        chaine.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) break;
    }
    int niveau = 0;
    const QString retrait = QStringLiteral("    ");
    for (const QString& c : chaine) {
        const QString nom = c == QStringLiteral("/") ? c : QFileInfo(c).fileName();
        auto* e = new QListWidgetItem(retrait.repeated(niveau++) + nom, this);
        e->setData(RoleChemin, c);
        e->setToolTip(c);
        if (c == chemin_) {
            QFont gras = e->font();
            gras.setBold(true);
            e->setFont(gras);
            setCurrentItem(e);
        }
    }
    const QDir dossier(chemin_);
    const QStringList sous = trier(dossier.entryList(QDir::Dirs | QDir::NoDotAndDotDot));
    for (const QString& s : sous) {
        auto* e = new QListWidgetItem(retrait.repeated(niveau) + s, this);
        e->setData(RoleChemin, dossier.filePath(s));
        e->setToolTip(dossier.filePath(s));
    }
}

// ---- files

ListeFichiers::ListeFichiers(QWidget* parent) : QListWidget(parent) {
    dossier_ = chemin_absolu(QDir::currentPath());
    motifs_ = QStringLiteral("*.*");
    Refresh();
    // Click on any change of the selected entry (mouse, keys, or ListIndex set by code), and
    // on a click of the entry already selected. A mouse press makes the entry current before
    // it selects it, keys select before making current: Click waits until both are done, so
    // that its handler reads the new FileName.
    const auto signaler = [this] {
        const int ligne = ListIndex();
        if (ligne < 0) ligneSignalee_ = -1;  // between the two steps, or nothing selected
        if (ligne < 0 || ligne == ligneSignalee_) return;
        ligneSignalee_ = ligne;
        emit Click();
    };
    connect(this, &QListWidget::currentRowChanged, this, signaler);
    connect(this, &QListWidget::itemSelectionChanged, this, signaler);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* e) {
        if (row(e) == ligneAvantClic_ && ListIndex() == ligneAvantClic_) emit Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit DblClick(); });
}

QString ListeFichiers::Path() const { return dossier_; }

void ListeFichiers::setPath(const QString& dossier) {
    const QString nouveau = chemin_absolu(dossier);
    if (!QFileInfo(nouveau).isDir()) chemin_introuvable();
    dossier_ = nouveau;
    Refresh();
}

QString ListeFichiers::Pattern() const { return motifs_; }

void ListeFichiers::setPattern(const QString& motifs) {
    motifs_ = motifs;
    Refresh();
}

QString ListeFichiers::FileName() const {
    const QListWidgetItem* e = currentItem();
    return (e && e->isSelected()) ? e->text() : QString();
}

int ListeFichiers::ListIndex() const {
    const QListWidgetItem* e = currentItem();
    return (e && e->isSelected()) ? currentRow() : -1;
}

void ListeFichiers::setListIndex(int i) {
    if (i < 0) {
        const QSignalBlocker bloque(this);
        setCurrentRow(-1);
        clearSelection();
        ligneSignalee_ = -1;
        return;
    }
    if (i >= count()) {
        db::lever(erreurs_execution::AppelIncorrect);
    }
    setCurrentRow(i);
}

void ListeFichiers::Refresh() {
    const QSignalBlocker bloque(this);
    clear();
    QStringList filtres;
    for (const QString& m : motifs_.split(';', Qt::SkipEmptyParts))
        if (!m.trimmed().isEmpty()) filtres << m.trimmed();
    if (filtres.isEmpty()) filtres << QStringLiteral("*");
    // Ordinary files only; the extensions match whatever their case ("X.MDB" for "*.mdb").
    QDir dossier(dossier_);
    dossier.setNameFilters(filtres);
    dossier.setFilter(QDir::Files);
    addItems(trier(dossier.entryList()));
    setCurrentRow(-1);
    ligneSignalee_ = -1;
}

void ListeFichiers::keyPressEvent(QKeyEvent* e) {
    const bool entree = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (entree && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && ListIndex() >= 0 &&
        isSignalConnected(QMetaMethod::fromSignal(&ListeFichiers::DblClick))) {
        emit DblClick();
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void ListeFichiers::mousePressEvent(QMouseEvent* e) {
    ligneAvantClic_ = ListIndex();
    QListWidget::mousePressEvent(e);
}

}  // namespace forms
