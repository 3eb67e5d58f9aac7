// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of whole files: a temporary file beside the target renamed over it once
// complete, over POSIX descriptors so that every failed write, sync, close and rename is seen.
#include "text/file_atomico.h"

#include <fcntl.h>
#include <signal.h>
#include <limits.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <streambuf>
#include <system_error>
#include <vector>

#include "text/errori_sistema.h"

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

// Reasons a target is refused before anything is written, for the message.
constexpr const char* kCollegamentoAltrui =
    "è un collegamento simbolico di un altro utente in una cartella condivisa";
constexpr const char* kSolaLettura = "il file è di sola lettura";

// The target with its symbolic links followed one by one, each judged as the kernel's
// protected_symlinks rule judges it: a link in a world-writable sticky folder is followed only
// when it belongs to this user or to the folder's owner. nullopt for a refused link.
std::optional<fs::path> segui_collegamenti(fs::path p) {
    for (int salti = 0; salti < 40; ++salti) {
        struct stat l {};
        if (::lstat(p.c_str(), &l) != 0 || !S_ISLNK(l.st_mode)) return p;
        const fs::path cartella = p.has_parent_path() ? p.parent_path() : fs::path(".");
        struct stat c {};
        if (::stat(cartella.c_str(), &c) == 0 && (c.st_mode & S_ISVTX) && (c.st_mode & S_IWOTH) &&
            l.st_uid != ::geteuid() && l.st_uid != c.st_uid)
            return std::nullopt;
        std::error_code ec;
        const fs::path verso = fs::read_symlink(p, ec);
        if (ec) return p;
        p = verso.is_absolute() ? verso : cartella / verso;
    }
    return p;  // a loop: open says so
}

// `n` characters no other process guesses, from the kernel's random source.
std::string casuale(std::size_t n) {
    static constexpr char kCifre[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char byte[32] = {};
    std::size_t letti = 0;
    while (letti < n) {
        const ssize_t r = ::getrandom(byte + letti, n - letti, 0);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {  // no random source: the clock and the pid still differ per attempt
            static std::atomic<unsigned> riserva{0};
            for (; letti < n; ++letti)
                byte[letti] = static_cast<unsigned char>(::getpid() * 31u + riserva++ * 7u +
                                                         static_cast<unsigned>(std::time(nullptr)));
            break;
        }
        letti += static_cast<std::size_t>(r);
    }
    std::string out(n, 'x');
    for (std::size_t i = 0; i < n; ++i) out[i] = kCifre[byte[i] % (sizeof kCifre - 1)];
    return out;
}

// The start of the hidden names beside `destinazione`: "." and its name, cut so that a tail of
// `coda` characters still fits the folder's NAME_MAX.
std::string prefisso_temporaneo(const fs::path& destinazione, std::size_t coda) {
    const fs::path cartella =
        destinazione.has_parent_path() ? destinazione.parent_path() : fs::path(".");
    long massimo = ::pathconf(cartella.c_str(), _PC_NAME_MAX);
    if (massimo <= 0) massimo = NAME_MAX;
    std::string base = destinazione.filename().string();
    const std::size_t spazio = static_cast<std::size_t>(massimo) - 1 - coda;
    if (base.size() > spazio) base.resize(spazio);
    return "." + base;
}

constexpr std::size_t kCasuali = 12;
// The tail of a temporary name: ".<pid>.<12 random characters>.tmp"; the pid tells a later
// writer whether the one that made it is still running.
std::string coda_temporanea(pid_t pid, const std::string& casuali) {
    return "." + std::to_string(pid) + "." + casuali + ".tmp";
}

// A hidden name beside `destinazione`, unpredictable, no longer than its folder allows.
fs::path nome_temporaneo(const fs::path& destinazione) {
    const fs::path cartella =
        destinazione.has_parent_path() ? destinazione.parent_path() : fs::path(".");
    const std::string coda = coda_temporanea(::getpid(), casuale(kCasuali));
    return cartella / (prefisso_temporaneo(destinazione, coda.size()) + coda);
}

// Removes the temporary files of `destinazione` left by writers that died (SIGKILL, a machine
// that stopped): this user's, named with a pid no process has. A live writer's stays.
void rimuovi_orfani(const fs::path& destinazione) {
    const fs::path cartella =
        destinazione.has_parent_path() ? destinazione.parent_path() : fs::path(".");
    std::error_code ec;
    for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (!nome.ends_with(".tmp") || nome.size() < kCasuali + 8) continue;
        // ".<pid>.<random>.tmp" after the prefix, which depends on the tail's length.
        const std::size_t fine_pid = nome.size() - 4 - kCasuali - 1;
        if (nome[fine_pid] != '.') continue;
        const std::size_t inizio_pid = nome.rfind('.', fine_pid - 1);
        if (inizio_pid == std::string::npos || inizio_pid + 1 >= fine_pid) continue;
        const std::string pid_testo = nome.substr(inizio_pid + 1, fine_pid - inizio_pid - 1);
        if (pid_testo.size() > 9 ||
            pid_testo.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(pid_testo));
        const std::string coda = coda_temporanea(pid, nome.substr(fine_pid + 1, kCasuali));
        if (nome != prefisso_temporaneo(destinazione, coda.size()) + coda) continue;
        struct stat st {};
        if (pid <= 0 || pid == ::getpid() || ::lstat(it->path().c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (::kill(pid, 0) != 0 && errno == ESRCH) ::unlink(it->path().c_str());
    }
}

}  // namespace

struct FileAtomico::Stato {
    std::string nome;       // the target as the user named it, for messages
    fs::path destinazione;  // the target, symbolic links followed
    fs::path temporaneo;    // empty when writing in place
    const char* motivo = nullptr;  // why the target was refused, when it was
    int fd = -1;
    int errore = 0;  // errno of the first step that failed
    void ricorda(int e) {
        if (errore == 0) errore = e;
    }
    bool registrato = false;
    bool xfsz = false;  // SIGXFSZ ignored while writing: a file too big fails its write
    struct sigaction xfsz_prima {};
    std::unique_ptr<BufferFd> buffer;
    std::unique_ptr<std::ostream> stream;

    void rimuovi_temporaneo() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        if (!temporaneo.empty()) ::unlink(temporaneo.c_str());
        temporaneo.clear();
        if (registrato) annulla_registrazione();
        registrato = false;
        if (xfsz) sigaction(SIGXFSZ, &xfsz_prima, nullptr);
        xfsz = false;
    }
    void apri(Interruzione interruzione);
};

void FileAtomico::Stato::apri(Interruzione interruzione) {
    const auto seguita = segui_collegamenti(destinazione);
    if (!seguita) {
        motivo = kCollegamentoAltrui;
        return;
    }
    destinazione = *seguita;
    struct stat esistente {};
    const bool esiste = ::stat(destinazione.c_str(), &esistente) == 0;
    // A file the user may not write, or that nobody may (write-protected, even for the
    // superuser), is not replaced behind its permissions.
    if (esiste && S_ISREG(esistente.st_mode) &&
        (::access(destinazione.c_str(), W_OK) != 0 ||
         (esistente.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        motivo = kSolaLettura;
        return;
    }
    // A file beyond the size limit fails its write (EFBIG) instead of ending the program
    // with the temporary file left behind.
    struct sigaction ignora {};
    ignora.sa_handler = SIG_IGN;
    sigemptyset(&ignora.sa_mask);
    xfsz = sigaction(SIGXFSZ, &ignora, &xfsz_prima) == 0;
    if (esiste && !S_ISREG(esistente.st_mode)) {
        fd = ::open(destinazione.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) ricorda(errno);
        return;
    }
    rimuovi_orfani(destinazione);
    // Beside the target, so that the rename stays on one file system; a name taken is
    // another's: a new one is drawn.
    for (int tentativo = 0; tentativo < 100 && fd < 0; ++tentativo) {
        temporaneo = nome_temporaneo(destinazione);
        // Registered before it exists, so no signal finds it unregistered.
        if (interruzione == Interruzione::rimuovi) registrato = registra(temporaneo.string());
        fd = ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const int errore_open = errno;
        if (fd >= 0) break;
        ricorda(errore_open);
        temporaneo.clear();  // not ours to remove
        if (registrato) annulla_registrazione();
        registrato = false;
        if (errore_open != EEXIST) break;
    }
    if (fd >= 0 && esiste) ::fchmod(fd, esistente.st_mode & 07777);  // the target keeps them
}

FileAtomico::FileAtomico(const fs::path& destinazione, Interruzione interruzione)
    : s_(std::make_unique<Stato>()) {
    s_->nome = destinazione.string();
    s_->destinazione = destinazione;
    s_->apri(interruzione);
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
        if (ok)
            s_->temporaneo.clear();
        else
            s_->ricorda(errno);
    }
    s_->rimuovi_temporaneo();
    return ok;
}

std::string FileAtomico::messaggio_apertura() const {
    return "Impossibile scrivere il file \"" + s_->nome + "\": " + motivo() + ".";
}

std::string FileAtomico::messaggio_scrittura() const {
    // The system's reason when a step failed with one (a full disk, a file too large).
    if (s_->errore != 0)
        return "Scrittura non riuscita: \"" + s_->nome + "\": " + messaggio_errno(s_->errore) + ".";
    return text::messaggio_scrittura("\"" + s_->nome + "\"");
}

std::string FileAtomico::motivo() const {
    if (s_->motivo) return s_->motivo;
    return messaggio_errno(s_->errore ? s_->errore : EIO);
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
