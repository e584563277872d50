#pragma once
// The tables that each part of the program fills at start-up (window descriptions, pickers):
// a row added again replaces the one it stands for, so that a part registered twice leaves one
// row per thing, and the rows stay in place so that what points at one stays valid.
#include <QVector>
#include <algorithm>
#include <deque>

namespace forms {

template <class Ligne, class Meme>
void ajouter_lignes(std::deque<Ligne>& lignes, const QVector<Ligne>& nouvelles, Meme meme) {
    for (const Ligne& n : nouvelles) {
        const auto deja = std::find_if(lignes.begin(), lignes.end(), [&](const Ligne& l) { return meme(l, n); });
        if (deja != lignes.end()) *deja = n;
        else lignes.push_back(n);
    }
}

}  // namespace forms
