#pragma once
// Today's date, as the program counts ages and dates what it writes. A test fixes the day, so
// that what it expects holds whatever the calendar says.
#include <QDate>

namespace jour {

// Today by the system clock, or the day fixed.
QDate aujourdhui();

// Makes aujourdhui() give `jour`; an invalid date gives the clock back.
void fixer(const QDate& jour);

}  // namespace jour
