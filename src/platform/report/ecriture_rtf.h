#pragma once
// Rich text (".RTF") from the laid-out pages: a paragraph for a single free cell, a table row
// for several cells or framed cells, a page break between pages. French characters are
// written in the Windows Western code page, others as Unicode escapes.
#include "platform/report/page.h"

#include <QByteArray>

namespace report {

QByteArray texte_enrichi(const DocumentRendu& doc);

// One text as RTF characters (escapes included), for the tests and the writer.
QByteArray rtf_echappe(const QString& texte);

}  // namespace report
