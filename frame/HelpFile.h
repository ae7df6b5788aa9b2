#pragma once

#include <QString>

// The help page of a language (0 English, 1 Simplified, 2 Traditional
// Chinese) in the given directory, normally the executable's. An installed
// program keeps its pages in ../share/pellmark/help instead; that copy is
// used when the directory itself has none.
QString HelpFileName(int language);
QString HelpFilePath(const QString& directory, int language);
