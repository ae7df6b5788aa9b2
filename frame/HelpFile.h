#pragma once

#include <QString>

// The help page of a language (0 English, 1 Simplified, 2 Traditional
// Chinese) in the given directory, normally the executable's.
QString HelpFileName(int language);
QString HelpFilePath(const QString& directory, int language);
