#include "cli/ExitStatus.h"

int ExitStatusOf(const TRunEnd& End)
{
    if (End.Interrupted)
        return *End.Interrupted;
    if (End.Found == 0 && End.NothingReached)
        return ExitStatus::NothingReached;
    if (End.NotSaved > 0)
        return ExitStatus::NotSaved;
    return ExitStatus::Ran;
}
