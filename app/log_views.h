#pragma once
// The windows that show data of the scanned log, each with what it does after a new
// scan; registered once when the application is built.
namespace mavrolin {

class Application;

void RegisterLogViews(Application& app);

}  // namespace mavrolin
