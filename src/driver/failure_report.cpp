#include "failure_report.h"

#include <istream>
#include <ostream>

int reportFailure(const std::exception& error, std::istream& input, std::ostream& errors) {
    errors << "Error: " << error.what() << "\n\nPress Enter to exit...\n" << std::flush;
    input.get();
    return 1;
}
