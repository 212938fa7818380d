#include "project/GravaArquivo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

#include "project/ArquivoTexto.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using Motivo = MotivoFalha;

// The same limit the system puts on a chain of links.
constexpr int kMaxLinks = 40;
// Room left for the hidden temporary name's additions within the usual limit
// of 255 bytes for a file name.
constexpr std::size_t kMaxNomeNoTemporario = 200;

class Descritor {
public:
    explicit Descritor(int fd) : fd_(fd) {}
    ~Descritor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;

    int get() const { return fd_; }
    // Closes now; false (errno set) when the system reports that data
    // written earlier did not reach the file.
    bool Fecha() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The temporary file, removed unless it became the target.
class Temporario {
public:
    explicit Temporario(std::string caminho) : caminho_(std::move(caminho)) {}
    ~Temporario() { Remove(); }
    Temporario(const Temporario&) = delete;
    Temporario& operator=(const Temporario&) = delete;

    void Remove() {
        if (!caminho_.empty()) ::unlink(caminho_.c_str());
        caminho_.clear();
    }
    void Renomeado() { caminho_.clear(); }

private:
    std::string caminho_;
};

class Gravacao {
public:
    Gravacao(const fs::path& destino, std::string_view bytes) : destino_(destino), bytes_(bytes) {}
    void Executa();

private:
    [[noreturn]] void Falha(const Motivo& motivo) const {
        throw ErroArquivo(ErroArquivo::Operacao::Gravar, destino_.string(), motivo);
    }
    [[noreturn]] void FalhaSistema(int erro) const { Falha(MotivoDoSistema(erro)); }
    fs::path Resolve() const;
    void MesmoDono(int fd) const;
    void GravaNoLugar() const;

    const fs::path& destino_;
    std::string_view bytes_;
    fs::path alvo_;
    struct stat antigo_ {};
    bool existe_ = false;
};

bool EscreveTudo(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// "." + name + ".kivo-save-": hidden in listings, and telling which file it
// was meant to become. A very long name is cut at a character boundary so
// that the temporary name still fits.
std::string PrefixoTemporario(std::string nome) {
    if (nome.size() > kMaxNomeNoTemporario) {
        std::size_t n = kMaxNomeNoTemporario;
        while (n > 0 && (static_cast<unsigned char>(nome[n]) & 0xC0) == 0x80) --n;
        nome.resize(n);
    }
    return "." + nome + ".kivo-save-";
}

bool LetraOuDigito(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Temporary files that a save of this same file left behind when it was cut
// short: the prefix and the six letters or digits that mkostemp adds. Nothing
// else in the folder matches, so nothing else is touched.
void RemoveTemporariosAntigos(const fs::path& pasta, const std::string& prefixo) {
    std::error_code ec;
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.size() != prefixo.size() + 6 || nome.compare(0, prefixo.size(), prefixo) != 0) continue;
        if (!std::all_of(nome.begin() + static_cast<std::ptrdiff_t>(prefixo.size()), nome.end(), LetraOuDigito))
            continue;
        std::error_code ignorado;
        if (fs::is_regular_file(it->symlink_status(ignorado))) fs::remove(it->path(), ignorado);
    }
}

// The mode open() gives a new file: 0666 less the umask, which can only be
// read by setting it (the program has one thread).
mode_t ModoDeArquivoNovo() {
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

// Follows destino through any chain of symbolic links to the name the bytes
// belong to; that file need not exist yet (a link may point to a file still
// to be made). A relative link is taken from the link's own folder, as the
// system takes it.
fs::path Gravacao::Resolve() const {
    fs::path p = destino_;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        if (links == kMaxLinks) FalhaSistema(ELOOP);
        std::error_code ec;
        const fs::path para = fs::read_symlink(p, ec);
        if (ec) FalhaSistema(ec.value());
        p = para.is_absolute() ? para : p.parent_path() / para;
    }
}

// Only root may give a file away, and a user only to a group of their own:
// what the system refuses stays with the saving user.
void Gravacao::MesmoDono(int fd) const {
    const auto recusado = [] { return errno == EPERM || errno == EINVAL; };
    if (::fchown(fd, antigo_.st_uid, antigo_.st_gid) == 0) return;
    if (!recusado()) FalhaSistema(errno);
    if (::fchown(fd, static_cast<uid_t>(-1), antigo_.st_gid) != 0 && !recusado()) FalhaSistema(errno);
}

void Gravacao::Executa() {
    alvo_ = Resolve();
    existe_ = ::stat(alvo_.c_str(), &antigo_) == 0;
    if (!existe_ && errno != ENOENT) FalhaSistema(errno);
    if (existe_ && S_ISDIR(antigo_.st_mode)) Falha({"é uma pasta", "it is a folder"});
    if (existe_ && !S_ISREG(antigo_.st_mode)) Falha({"não é um arquivo comum", "it is not a regular file"});
    if (!existe_ && alvo_.filename().empty()) FalhaSistema(ENOENT);
    // The folder would let a write-protected file be replaced; its mode
    // is what says whether it may change. Root may write any file.
    if (existe_ && ::faccessat(AT_FDCWD, alvo_.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno != EACCES && errno != EPERM) FalhaSistema(errno);
        Falha({"o arquivo é somente leitura", "the file is read-only"});
    }

    const fs::path pasta = alvo_.parent_path().empty() ? fs::path(".") : alvo_.parent_path();
    const std::string prefixo = PrefixoTemporario(alvo_.filename().string());
    std::string caminhoTemp = (pasta / (prefixo + "XXXXXX")).string();
    Descritor fd(::mkostemp(caminhoTemp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        if (existe_ && (errno == EACCES || errno == EPERM)) return GravaNoLugar();
        FalhaSistema(errno);
    }
    Temporario temp(caminhoTemp);

    if (!EscreveTudo(fd.get(), bytes_)) FalhaSistema(errno);
    // Owner before mode: a change of owner clears the set-id bits.
    if (existe_) MesmoDono(fd.get());
    if (::fchmod(fd.get(), existe_ ? (antigo_.st_mode & 07777) : ModoDeArquivoNovo()) != 0) FalhaSistema(errno);
    if (::fsync(fd.get()) != 0) FalhaSistema(errno);
    if (!fd.Fecha()) FalhaSistema(errno);
    if (::rename(caminhoTemp.c_str(), alvo_.c_str()) != 0) {
        // A folder with the sticky bit lets only a file's owner replace it.
        if (existe_ && (errno == EACCES || errno == EPERM)) {
            temp.Remove();
            return GravaNoLugar();
        }
        FalhaSistema(errno);
    }
    temp.Renomeado();
    RemoveTemporariosAntigos(pasta, prefixo);

    // Makes the rename itself durable. A file system that cannot flush a
    // folder says EINVAL, and a folder that cannot be read cannot be opened
    // for it: the save stands then as on any system without the flush.
    Descritor dir(::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0 && ::fsync(dir.get()) != 0 && errno != EINVAL) FalhaSistema(errno);
}

// The folder does not let the file be replaced, but the file itself may be
// written: it is truncated and written again, keeping its inode and with it
// its mode, owner, links and everything else it was.
void Gravacao::GravaNoLugar() const {
    Descritor fd(::open(alvo_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) FalhaSistema(errno);
#ifdef FALLOC_FL_KEEP_SIZE
    // Reserving the space first turns a full disk or quota into a refusal
    // while the file is still whole. KEEP_SIZE leaves the file as it was if
    // the program stops right here. Where the file system cannot reserve,
    // the write goes on without it.
    if (!bytes_.empty() && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes_.size())) != 0 &&
        (errno == ENOSPC || errno == EDQUOT))
        FalhaSistema(errno);
#endif
    if (::ftruncate(fd.get(), 0) != 0) FalhaSistema(errno);
    const auto incompleto = [this](int erro) {
        const Motivo m = MotivoDoSistema(erro);
        Falha({m.pt +
                   "; a pasta não permite substituir o arquivo, por isso ele estava sendo regravado no próprio "
                   "lugar e pode ter ficado incompleto: salve com outro nome",
               m.en +
                   "; the folder does not let the file be replaced, so it was being rewritten in place and may now "
                   "be incomplete: save under another name"});
    };
    if (!EscreveTudo(fd.get(), bytes_)) incompleto(errno);
    if (::fsync(fd.get()) != 0) incompleto(errno);
    if (!fd.Fecha()) incompleto(errno);
}

}  // namespace

void GravaArquivo(const fs::path& destino, std::string_view bytes) { Gravacao(destino, bytes).Executa(); }

}  // namespace kivo
