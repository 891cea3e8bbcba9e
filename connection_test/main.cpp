#include "platform/platform_services.h"
#include "test_run.h"

int main(int ArgumentCount, char** Arguments) {
    KeepProcessArguments(ArgumentCount, Arguments);
    TestRun();
    return 0;
}
