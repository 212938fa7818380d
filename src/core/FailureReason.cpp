#include "core/FailureReason.h"

#include <cerrno>

namespace kivo {

FailureReason SystemFailureReason(int code) {
    switch (code) {
        case 0:
            return {"erro desconhecido", "unknown error"};
        case ENOENT:
            return {"arquivo ou pasta inexistente", "No such file or directory"};
        case EACCES:
            return {"permissão negada", "Permission denied"};
        case EPERM:
            return {"operação não permitida", "Operation not permitted"};
        case EISDIR:
            return {"é uma pasta", "Is a directory"};
        case ENOTDIR:
            return {"parte do caminho não é uma pasta", "Not a directory"};
        case EROFS:
            return {"o disco só permite leitura", "Read-only file system"};
        case ENOSPC:
            return {"não há espaço no disco", "No space left on device"};
        case EDQUOT:
            return {"a cota de disco foi excedida", "Disk quota exceeded"};
        case EFBIG:
            return {"arquivo grande demais", "File too large"};
        case EIO:
            return {"erro de entrada e saída", "Input/output error"};
        case EMFILE:
        case ENFILE:
            return {"arquivos abertos demais", "Too many open files"};
        case ENAMETOOLONG:
            return {"nome de arquivo longo demais", "File name too long"};
        case ELOOP:
            return {"links simbólicos demais no caminho", "Too many levels of symbolic links"};
        case EEXIST:
            return {"o arquivo já existe", "File exists"};
        case EBUSY:
        case ETXTBSY:
            return {"o arquivo está em uso", "Device or resource busy"};
        case EXDEV:
            return {"não é possível mover entre discos", "Invalid cross-device link"};
        case ENOMEM:
            return {"memória insuficiente", "Cannot allocate memory"};
        case EINVAL:
            return {"argumento inválido", "Invalid argument"};
        case ENXIO:
        case ENODEV:
            return {"dispositivo inexistente", "No such device"};
        default:
            return {"erro do sistema " + std::to_string(code), "system error " + std::to_string(code)};
    }
}

}  // namespace kivo
