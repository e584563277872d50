#pragma once
// "The tab follows the focus": a field receiving the input focus, by mouse or Tab key,
// turns the tabbed control to that field's tab.
#include <QPair>
#include <QVector>

class QTabWidget;
class QWidget;

namespace forms {
void onglet_suit_focus(QTabWidget* onglets, const QVector<QPair<QWidget*, int>>& champs);
}
