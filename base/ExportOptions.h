#pragma once

#include <QString>
#include <QStringList>

// How the dots of a canvas become bytes for a controller: the order the dots
// are read in, which bit each dot takes, how the canvas is cut into the
// modules of a chain, and which colour planes are written.
struct SExportOptions
{
    enum Scan { Rows, Columns };
    enum BitOrder { MsbFirst, LsbFirst };
    enum ModuleOrder { ModuleRows, ModuleColumns };
    enum Planes { Mono, RedGreen, Rgb };

    Scan scan = Rows;               // rows from the top, or columns from the left
    BitOrder bitOrder = MsbFirst;   // the first dot of a byte in its high or low bit
    int moduleWidth = 0;            // 0 x 0: the whole canvas is one module
    int moduleHeight = 0;
    ModuleOrder moduleOrder = ModuleRows; // modules chained across, or down
    bool serpentine = false;        // every other row (column) of modules runs back
    bool invert = false;            // a lit dot is 0, for active-low panels
    Planes planes = Mono;

    bool HasModules() const { return moduleWidth > 0 && moduleHeight > 0; }
    int PlaneCount() const { return planes == Mono ? 1 : planes == RedGreen ? 2 : 3; }
    bool operator==(const SExportOptions& other) const;
    bool operator!=(const SExportOptions& other) const { return !(*this == other); }
};

// The words of the options as the command line names them: "rows", "msb", "8x8", "red-green". Each Parse returns false, leaving
// the options unchanged, when the word is not one of the choices.
// What the Export dialog returns on OK: the file and how to write it.
struct SExportRequest
{
    QString path;
    SExportOptions options;
};

class CExportOptionNames
{
public:
    static bool ParseScan(const QString& word, SExportOptions& options);
    static bool ParseBitOrder(const QString& word, SExportOptions& options);
    static bool ParseModuleOrder(const QString& word, SExportOptions& options);
    static bool ParsePlanes(const QString& word, SExportOptions& options);
    // "WxH", each side 1..1024; "none" or "0x0" for one module of the whole canvas.
    static bool ParseModule(const QString& word, SExportOptions& options);

    static QStringList ScanWords();
    static QStringList BitOrderWords();
    static QStringList ModuleOrderWords();
    static QStringList PlanesWords();

    static QString ScanWord(SExportOptions::Scan scan);
    static QString BitOrderWord(SExportOptions::BitOrder order);
    static QString ModuleOrderWord(SExportOptions::ModuleOrder order);
    static QString PlanesWord(SExportOptions::Planes planes);
};
