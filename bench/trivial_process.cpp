// A process that starts, uses the C++ runtime as Kelvask does, and ends: the
// floor for a run that finds no library.
#include <string>

int main(int ArgumentCount, char**) {
    std::string Text(static_cast<std::size_t>(ArgumentCount), ' ');
    return Text.size() > 1000 ? 1 : 0;
}
