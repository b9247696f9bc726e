// c4.5.exe: a C4.5 release 8 compatible decision-tree generator.
#include "FileError.h"
#include "InputError.h"
#include "Options.h"
#include "Print.h"
#include "Run.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

int main(int argc, char **argv) {
    std::ostream &out = std::cout;
    const char *epoch = std::getenv("SOURCE_DATE_EPOCH");
    printBanner(out,
                epoch ? static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10))
                      : std::time(nullptr),
                epoch != nullptr);
    try {
        runLearner(parseOptions(std::vector<std::string>(argv + 1, argv + argc), out), out);
    } catch (const UsageError &e) {
        out << e.what() << std::endl;
        return 1;
    } catch (const FileError &e) {
        out << "\nERROR:  " << e.what() << std::endl;
        return 1;
    } catch (const InputError &e) {
        for (const std::string &message : e.messages())
            out << "\nERROR:  " << message << '\n';
        out.flush();
        return 1;
    } catch (const std::bad_alloc &) {
        out << "\nERROR:  out of memory" << std::endl;
        return 1;
    }
    out.flush();
    return 0;
}
