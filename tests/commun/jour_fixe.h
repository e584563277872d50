#pragma once
// Today fixed while a test runs: the ages the program counts and the date it writes are those
// the test expects, whatever the calendar says. The clock comes back at the end.
#include "platform/texte/jour.h"

namespace test {

struct JourFixe {
    explicit JourFixe(const QDate& jour) { jour::fixer(jour); }
    ~JourFixe() { jour::fixer(QDate()); }
    JourFixe(const JourFixe&) = delete;
    JourFixe& operator=(const JourFixe&) = delete;
};

}  // namespace test
