#pragma once

#include <QApplication>
#include <memory>

namespace quorvel {

/// Creates the application on the desktop's display. When no display can be reached it says so in
/// one line on standard error and ends the program with status 1, where Qt would abort with advice
/// that does not apply.
std::unique_ptr<QApplication> openOnDesktop(int& argc, char** argv);

} // namespace quorvel
