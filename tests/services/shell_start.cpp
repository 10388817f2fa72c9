// Starts one program through the shell launch and ends at once: shell_start FILE DIRECTORY.
// Exits 0 when the launch reported a start, 1 when it did not.
#include "platform/shell.h"

#include <QString>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    return platform::shellExecute(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]))
        ? 0
        : 1;
}
