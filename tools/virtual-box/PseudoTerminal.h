#pragma once

// The box's end of the serial line: the master side of a pseudo-terminal in raw mode, with
// its slave device reachable under a fixed path (a symbolic link) for the program to open.

#include <string>

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();   // closes the master and removes the link

    // Opens the pair and links `link` to the slave, replacing a stale link; false with error set
    // when that fails.
    bool Open(const std::string& link, std::string& error);

    int master() const { return m_master; }

private:
    int m_master = -1;
    std::string m_link;
};
