#pragma once
// Random moments for the tests that kill a process while it writes. The seed is printed, and
// CARNELIS_GRAINE=<seed> in the environment draws the same moments again to replay a failure
// (the processes' own pace still varies from run to run).
#include <QRandomGenerator>
#include <QString>
#include <QtGlobal>

namespace test {

inline QRandomGenerator hasard_rejouable() {
    bool lue = false;
    quint32 graine = qEnvironmentVariable("CARNELIS_GRAINE").toUInt(&lue);
    if (!lue) graine = QRandomGenerator::system()->generate();
    qInfo("graine des instants des arrêts : CARNELIS_GRAINE=%u", graine);
    return QRandomGenerator(graine);
}

}  // namespace test
