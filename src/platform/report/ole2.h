#pragma once
// A compound document (the container of Excel 97 workbooks) holding one stream.
#include <QByteArray>
#include <QString>

namespace report {

// The file's bytes: a root storage holding the stream `nom` with `contenu`. Streams shorter
// than 4096 bytes are padded, so that they live in ordinary sectors.
QByteArray fichier_compose(const QString& nom, QByteArray contenu);

}  // namespace report
