// Printing the plot on one page: the printer chosen by name, the page's resolution as the
// printer reports it, margins in inches, and the plot scaled uniformly into the top-left of
// the space inside the margins.
#pragma once

#include "platform/Geometry.h"

class TiPlotComponent;

struct TiPrintMargins {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

// The rectangle (device pixels) a plot of the size prints into on a page of PageSize device
// pixels: as large as the space inside the margins allows, placed at the top-left margin
// corner. Raises "Cannot print a plot without width or height" for a plot of no area and
// "Print margins exceed the page" when no space is left inside the margins.
TRect PrintPlacement(TSize PlotSize, TSize PageSize, TSize PixelsPerInch,
                     const TiPrintMargins& Margins);

// The plot's PrintChart: ends a document the printer is still printing, sets the orientation
// and the job title, shows the print dialog when asked to (a cancel prints nothing and fires
// no event), then, inside an update batch, OnBeforePrint, DoPrintPlot and OnAfterPrint. Errors
// are raised again as "Error Printing : " and their message.
void PrintPlot(TiPlotComponent& Plot);
// The plot's DoPrintChart: selects PrinterName when the printer list holds it (ignoring
// case), checks the device mode ("Could not initialize printer DeviceMode Structure"), and
// prints the plot, without toolbars and selection marks, on one page. The document is ended
// and the toolbars restored however it ends.
void DoPrintPlot(TiPlotComponent& Plot);
