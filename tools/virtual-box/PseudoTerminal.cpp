#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::~PseudoTerminal()
{
    if (!m_link.empty())
        ::unlink(m_link.c_str());
    if (m_master >= 0)
        ::close(m_master);
}

bool PseudoTerminal::Open(const std::string& link, std::string& error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* slave = ::ptsname(m_master);
    if (slave == nullptr) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    // Raw both ways: no echo, no line editing, no CR/LF translation, no XON/XOFF. Set through
    // the master, it applies to the slave the program opens.
    termios raw{};
    if (::tcgetattr(m_master, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::cfsetispeed(&raw, B9600);
        ::cfsetospeed(&raw, B9600);
        ::tcsetattr(m_master, TCSANOW, &raw);
    }

    struct stat existing {};
    if (::lstat(link.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = link + " exists and is not a link; not replacing it";
            return false;
        }
        ::unlink(link.c_str());   // left behind by a box that did not stop cleanly
    }
    if (::symlink(slave, link.c_str()) != 0) {
        error = "cannot link " + link + ": " + std::strerror(errno);
        return false;
    }
    m_link = link;
    return true;
}
