#include "plot/iPlotPrinting.h"

#include "platform/Exception.h"
#include "platform/Metafile.h"
#include "platform/Printer.h"
#include "platform/Rounding.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotOutput.h"

#include <algorithm>

namespace {

void SelectPrinter(TPrinter& Printer, const QString& PrinterName) {
    const QString name = PrinterName.trimmed();
    if (name.isEmpty()) return;
    const QStringList printers = Printer.Printers();
    for (int i = 0; i < printers.size(); ++i)
        if (printers[i].compare(name, Qt::CaseInsensitive) == 0) {
            Printer.SetPrinterIndex(i);
            return;
        }
}

// Asking for the current printer again makes the platform load it anew.
void CheckDeviceMode(TPrinter& Printer) {
    if (Printer.DeviceMode()) return;
    Printer.SetPrinterIndex(Printer.PrinterIndex());
    if (!Printer.DeviceMode())
        throw Exception(QStringLiteral("Could not initialize printer DeviceMode Structure"));
}

TiPrintMargins MarginsOf(const TiPlotComponent& Plot) {
    return {Plot.PrintMarginLeft(), Plot.PrintMarginTop(), Plot.PrintMarginRight(),
            Plot.PrintMarginBottom()};
}

TPrinterOrientation OrientationOf(const TiPlotComponent& Plot) {
    return Plot.PrintOrientation() == TiPlotComponent::poLandscape ? ::poLandscape : ::poPortrait;
}

void Fire(TiPlotComponent& Plot, const TNotifyEvent& Event) {
    if (Event) RunGuarded([&] { Event(&Plot); });
}

} // namespace

TRect PrintPlacement(TSize PlotSize, TSize PageSize, TSize PixelsPerInch,
                     const TiPrintMargins& Margins) {
    if (PlotSize.cx <= 0 || PlotSize.cy <= 0)
        throw Exception(QStringLiteral("Cannot print a plot without width or height"));
    const double left = PixelsPerInch.cx * Margins.Left;
    const double top = PixelsPerInch.cy * Margins.Top;
    const double width = PageSize.cx - (Margins.Left + Margins.Right) * PixelsPerInch.cx;
    const double height = PageSize.cy - (Margins.Top + Margins.Bottom) * PixelsPerInch.cy;
    if (width <= 0 || height <= 0) throw Exception(QStringLiteral("Print margins exceed the page"));
    const double scale = std::min(width / PlotSize.cx, height / PlotSize.cy);
    return Rect(Round(left), Round(top), Round(left + PlotSize.cx * scale),
                Round(top + PlotSize.cy * scale));
}

void PrintPlot(TiPlotComponent& Plot) {
    try {
        TPrinter& printer = Printer();
        if (printer.Printing()) printer.EndDoc();
        printer.SetOrientation(OrientationOf(Plot));
        printer.SetTitle(Plot.PrintDocumentName());
        if (Plot.PrintShowDialog() && !printer.ExecutePrintDialog()) return;
        TiUpdateBatch batch(Plot);
        Fire(Plot, Plot.OnBeforePrint);
        DoPrintPlot(Plot);
        Fire(Plot, Plot.OnAfterPrint);
    } catch (const Exception& error) {
        throw Exception(QStringLiteral("Error Printing : ") + error.Message());
    }
}

void DoPrintPlot(TiPlotComponent& Plot) {
    TPrinter& printer = Printer();
    SelectPrinter(printer, Plot.PrinterName());
    CheckDeviceMode(printer);
    // Placed before the document begins, so that a plot that cannot print leaves no empty
    // page behind.
    const TRect target =
        PrintPlacement({Plot.Width(), Plot.Height()}, {printer.PageWidth(), printer.PageHeight()},
                       {printer.PixelsPerInchX(), printer.PixelsPerInchY()}, MarginsOf(Plot));
    printer.BeginDoc();
    try {
        TMetafile picture;
        {
            Plot.Master()->DeSelectAll();
            TiPlotToolBarsHidden hidden(*Plot.Master());
            PaintPlotMetafile(Plot, picture, QString());
        }
        QPainter* page = printer.Painter();
        if (!page) throw Exception(QStringLiteral("Printer is not ready"));
        TPainterCanvas canvas(*page);
        canvas.StretchDraw(target, picture);
    } catch (...) {
        printer.EndDoc();
        throw;
    }
    printer.EndDoc();
}
