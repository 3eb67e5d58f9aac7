// The one writer of whole files: a temporary file beside the target renamed over it once
// complete, over POSIX descriptors so that every failed write, sync, close and rename is seen.
#include "text/file_atomico.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <streambuf>
#include <system_error>
#include <vector>

namespace tv::text {
namespace fs = std::filesystem;

std::string messaggio_scrittura(const std::string& destinazione) {
    return "Scrittura non riuscita: " + destinazione + ".";
}

namespace {

// The temporary file the signal handler removes: a static buffer, since the handler may only
// call async-signal-safe functions (unlink, _exit) and must not allocate.
char g_temporaneo[4096];
volatile std::sig_atomic_t g_registrato = 0;
constexpr int kSegnali[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_precedenti[std::size(kSegnali)];

extern "C" void interrotto(int segnale) {
    if (g_registrato) ::unlink(g_temporaneo);
    ::_exit(128 + segnale);
}

bool registra(const std::string& temporaneo) {
    if (g_registrato || temporaneo.size() >= sizeof g_temporaneo) return false;
    std::memcpy(g_temporaneo, temporaneo.c_str(), temporaneo.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_registrato = 1;
    for (std::size_t i = 0; i < std::size(kSegnali); ++i) {
        struct sigaction a {};
        a.sa_handler = interrotto;
        sigemptyset(&a.sa_mask);
        a.sa_flags = SA_RESTART;
        sigaction(kSegnali[i], &a, &g_precedenti[i]);
        // A signal ignored when the program started (nohup, a background job) stays ignored.
        if (g_precedenti[i].sa_handler == SIG_IGN)
            sigaction(kSegnali[i], &g_precedenti[i], nullptr);
    }
    return true;
}

void annulla_registrazione() {
    for (std::size_t i = 0; i < std::size(kSegnali); ++i)
        sigaction(kSegnali[i], &g_precedenti[i], nullptr);
    g_registrato = 0;
}

// Writes to a descriptor through its own buffer and keeps the first error.
class BufferFd : public std::streambuf {
  public:
    explicit BufferFd(int fd) : fd_(fd), buf_(1 << 16) {
        setp(buf_.data(), buf_.data() + buf_.size());
    }
    bool guasto() const { return guasto_; }
    int errore() const { return errore_; }

  protected:
    int_type overflow(int_type c) override {
        if (!svuota()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (n < epptr() - pptr()) {
            std::memcpy(pptr(), s, static_cast<std::size_t>(n));
            pbump(static_cast<int>(n));
            return n;
        }
        if (!svuota() || !scrivi(s, static_cast<std::size_t>(n))) return 0;
        return n;
    }
    int sync() override { return svuota() ? 0 : -1; }

  private:
    bool svuota() {
        const bool ok = scrivi(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buf_.data(), buf_.data() + buf_.size());
        return ok;
    }
    bool scrivi(const char* p, std::size_t n) {
        while (n > 0 && !guasto_) {
            const ssize_t w = ::write(fd_, p, n);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0)
                guasto_ = true, errore_ = w < 0 ? errno : ENOSPC;
            else
                p += w, n -= static_cast<std::size_t>(w);
        }
        return !guasto_;
    }

    int fd_;
    std::vector<char> buf_;
    bool guasto_ = false;
    int errore_ = 0;
};

}  // namespace

struct FileAtomico::Stato {
    std::string nome;       // the target as the user named it, for messages
    fs::path destinazione;  // the target, symbolic links followed
    fs::path temporaneo;    // empty when writing in place
    int fd = -1;
    int errore = 0;  // errno of the first step that failed
    bool registrato = false;
    void ricorda(int e) {
        if (errore == 0) errore = e;
    }
    std::unique_ptr<BufferFd> buffer;
    std::unique_ptr<std::ostream> stream;

    void rimuovi_temporaneo() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        if (!temporaneo.empty()) ::unlink(temporaneo.c_str());
        temporaneo.clear();
        if (registrato) annulla_registrazione();
        registrato = false;
    }
};

FileAtomico::FileAtomico(const fs::path& destinazione, Interruzione interruzione)
    : s_(std::make_unique<Stato>()) {
    s_->nome = destinazione.string();
    std::error_code ec;
    s_->destinazione =
        fs::is_symlink(destinazione, ec) ? fs::canonical(destinazione, ec) : destinazione;
    if (ec) s_->destinazione = destinazione;

    struct stat esistente {};
    const bool esiste = ::stat(s_->destinazione.c_str(), &esistente) == 0;
    if (esiste && !S_ISREG(esistente.st_mode)) {
        s_->fd = ::open(s_->destinazione.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (s_->fd < 0) s_->ricorda(errno);
    } else {
        // Beside the target, so that the rename stays on one file system.
        static std::atomic<unsigned> contatore{0};
        s_->temporaneo = s_->destinazione;
        s_->temporaneo += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(contatore++);
        // Registered before it exists, so no signal finds it unregistered.
        if (interruzione == Interruzione::rimuovi)
            s_->registrato = registra(s_->temporaneo.string());
        s_->fd = ::open(s_->temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (s_->fd < 0) {
            s_->ricorda(errno);
            s_->temporaneo.clear();  // not ours to remove
            if (s_->registrato) annulla_registrazione();
            s_->registrato = false;
        } else if (esiste) {
            ::fchmod(s_->fd, esistente.st_mode & 07777);  // the target keeps its permissions
        }
    }
    s_->buffer = std::make_unique<BufferFd>(s_->fd);
    s_->stream = std::make_unique<std::ostream>(s_->buffer.get());
    if (s_->fd < 0) s_->stream->setstate(std::ios::badbit);
}

FileAtomico::~FileAtomico() {
    s_->rimuovi_temporaneo();
}

bool FileAtomico::aperto() const {
    return s_->fd >= 0;
}

std::ostream& FileAtomico::stream() {
    return *s_->stream;
}

bool FileAtomico::conferma() {
    if (s_->fd < 0) return false;
    s_->stream->flush();
    bool ok = !s_->stream->fail() && !s_->buffer->guasto();
    if (!ok) s_->ricorda(s_->buffer->errore() ? s_->buffer->errore() : EIO);
    // fsync fails on pipes and terminals, which have nothing to sync.
    if (ok && !s_->temporaneo.empty() && ::fsync(s_->fd) != 0) ok = false, s_->ricorda(errno);
    if (::close(s_->fd) != 0) ok = false, s_->ricorda(errno);
    s_->fd = -1;
    if (ok && !s_->temporaneo.empty()) {
        ok = ::rename(s_->temporaneo.c_str(), s_->destinazione.c_str()) == 0;
        if (ok) s_->temporaneo.clear();
        else s_->ricorda(errno);
    }
    s_->rimuovi_temporaneo();
    return ok;
}

std::string FileAtomico::motivo() const {
    return std::generic_category().message(s_->errore ? s_->errore : EIO);
}

std::string FileAtomico::messaggio_apertura() const {
    return "Impossibile scrivere il file \"" + s_->nome + "\".";
}

std::string FileAtomico::messaggio_scrittura() const {
    return text::messaggio_scrittura("\"" + s_->nome + "\"");
}

std::optional<std::string> scrivi_file_intero(const fs::path& destinazione,
                                              std::string_view contenuto) {
    FileAtomico f(destinazione);
    if (!f.aperto()) return f.motivo();
    f.stream().write(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
    if (!f.conferma()) return f.motivo();
    return std::nullopt;
}

}  // namespace tv::text
