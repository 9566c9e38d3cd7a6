#include "failure_report.h"

#include "console_code_page.h"

#include <istream>
#include <ostream>

int reportFailure(const std::exception& error, std::istream& input, std::ostream& errors) {
    useUtf8Console(DesktopPlatform::STD_ERROR_HANDLE);
    errors << "Error: " << error.what() << "\n\nPress Enter to exit...\n" << std::flush;
    input.get();
    restoreConsoleCodePage();
    return 1;
}
