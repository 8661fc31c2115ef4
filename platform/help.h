#pragma once
// The help service: a viewer on the help document shipped beside the program.
#include <QString>
#include <functional>

namespace help {

enum Request { HelpContents, HelpPartialKey, HelpHelpOnHelp };

void SetHelpFile(const QString& path);
QString HelpFile();
// Opens the viewer for the request (the key is the search text for HelpPartialKey). A help file
// that cannot be read where it was set is looked for under its name beside the executable. False
// when it cannot be read there either (the operator is told of the file as set).
bool Show(Request request, const QString& key = {});
// Tests see the requests instead of a window; an empty function restores the viewer.
void SetViewer(std::function<bool(Request, const QString& file, const QString& key)> viewer);

}  // namespace help
