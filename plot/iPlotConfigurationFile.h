// The plot's and a channel's configuration files: published properties as property lines,
// the plot's objects each under its kind and index ("Channel0.Color = 255").
#pragma once

#include <QString>

class TStringList;
class TiPlotChannelCustom;
class TiPlotComponent;

// Errors raise "Error Saving Properties - " and the error's message.
void SavePlotConfiguration(TiPlotComponent& Plot, const TStringList& Exclusions,
                           const QString& FileName);
// Replaces every object of the plot (annotations and all labels but the title included) by the
// file's. The whole file is loaded into a scratch plot first, so a file that is malformed, of
// another type or asks for more than MaxPlotFileObjects objects of a kind changes nothing.
// Errors raise "Error Loading Properties - " and the error's message ("Incompatible Plot
// Configuration File Type" among them); OnAfterLoadProperties follows only a load that
// succeeded.
void LoadPlotConfiguration(TiPlotComponent& Plot, const QString& FileName);

// As for the plot, with the type "Plot Channel Config" and the prefix "Channel". A load sets
// the channel's properties and nothing else, all of them or, on an error, none.
void SaveChannelConfiguration(TiPlotChannelCustom& Channel, const QString& FileName);
void LoadChannelConfiguration(TiPlotChannelCustom& Channel, const QString& FileName);
