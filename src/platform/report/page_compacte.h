#pragma once
// A laid-out page packed into a few kilobytes, so that a window can hold the thousands of pages
// of a long list and unpack only the one it shows.
#include "platform/report/page.h"

#include <QByteArray>

namespace report {

QByteArray compacter(const Page& page);
Page deplier(const QByteArray& octets);

}  // namespace report
