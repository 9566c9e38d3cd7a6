#include "driver.h"

#include "code_claims.h"
#include "config/config_reader.h"
#include "config/settings.h"
#include "failure_report.h"
#include "run_phase.h"

int runProgram(int argc, const char* const argv[], std::istream& input, std::ostream& errors) {
    const std::string_view path = argc < 2 ? DefaultConfigPath : std::string_view(argv[1]);
    try {
        loadSettings(ConfigReader(path));
        runEmulation();
    } catch (const std::exception& error) {
        releaseHooks();
        releaseClaims();
        return reportFailure(error, input, errors);
    }
}
