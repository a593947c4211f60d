// The application's handler for exceptions that no code caught.
#pragma once

#include <exception>

// Shows the exception's text: the engine's refusals with the warning icon, others with the error
// icon, in a message box titled with the application title. It never throws and never recurses:
// off the GUI thread, without a usable display, or while a box is already up, the text goes to
// standard error instead.
void ShowAppException(const std::exception& E);
// The same for the exception being handled (call inside a catch block).
void ShowCurrentAppException();
