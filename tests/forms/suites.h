#pragma once
// The test suites of the window layer, run one after another by main.cpp.
#include <QObject>
#include <memory>
#include <vector>

std::vector<std::unique_ptr<QObject>> suites_forms();
