#include "Desenho.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace kivo::exemplos {

Cor Imagem::Pixel(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * largura + x) * 3;
    return Cor{rgb[i], rgb[i + 1], rgb[i + 2]};
}

Imagem Imagem::Reduzida(int w, int h) const {
    Imagem r{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y) {
        const int y0 = y * altura / h;
        const int y1 = std::max(y0 + 1, (y + 1) * altura / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * largura / w;
            const int x1 = std::max(x0 + 1, (x + 1) * largura / w);
            unsigned soma[3] = {0, 0, 0};
            for (int yy = y0; yy < y1; ++yy)
                for (int xx = x0; xx < x1; ++xx) {
                    const Cor c = Pixel(xx, yy);
                    soma[0] += c.r;
                    soma[1] += c.g;
                    soma[2] += c.b;
                }
            const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 3;
            for (int k = 0; k < 3; ++k) r.rgb[i + k] = static_cast<std::uint8_t>((soma[k] + n / 2) / n);
        }
    }
    return r;
}

std::string Imagem::Bmp() const {
    const std::uint32_t linha = (static_cast<std::uint32_t>(largura) * 3 + 3) & ~3u;
    const std::uint32_t dados = linha * static_cast<std::uint32_t>(altura);
    std::string b;
    auto u16 = [&](std::uint32_t v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    // File header, then the 40-byte information header.
    b += "BM";
    u32(54 + dados);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(largura));
    u32(static_cast<std::uint32_t>(altura));  // positive: rows from the bottom
    u16(1);
    u16(24);
    u32(0);
    u32(dados);
    u32(2835);  // 72 dpi
    u32(2835);
    u32(0);
    u32(0);
    for (int y = altura - 1; y >= 0; --y) {
        for (int x = 0; x < largura; ++x) {
            const Cor c = Pixel(x, y);
            b += static_cast<char>(c.b);
            b += static_cast<char>(c.g);
            b += static_cast<char>(c.r);
        }
        for (std::uint32_t k = static_cast<std::uint32_t>(largura) * 3; k < linha; ++k) b += '\0';
    }
    return b;
}

void Imagem::GravaBmp(const std::filesystem::path& caminho) const {
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    const std::string b = Bmp();
    f.write(b.data(), static_cast<std::streamsize>(b.size()));
    if (!f) throw std::runtime_error("cannot write " + caminho.string());
}

Tela::Tela(int largura, int altura, Cor fundo, int super)
    : largura_(largura), altura_(altura), super_(super), lf_(largura * super), af_(altura * super) {
    fino_.resize(static_cast<std::size_t>(lf_) * af_ * 3);
    for (std::size_t i = 0; i < fino_.size(); i += 3) {
        fino_[i] = fundo.r;
        fino_[i + 1] = fundo.g;
        fino_[i + 2] = fundo.b;
    }
}

void Tela::Pinta(int px, int py, Cor c) {
    const std::size_t i = (static_cast<std::size_t>(py) * lf_ + px) * 3;
    fino_[i] = c.r;
    fino_[i + 1] = c.g;
    fino_[i + 2] = c.b;
}

template <class F>
void Tela::Varre(double x0, double y0, double x1, double y1, F&& f) {
    const int px0 = std::max(0, static_cast<int>(std::floor(x0 * super_)));
    const int py0 = std::max(0, static_cast<int>(std::floor(y0 * super_)));
    const int px1 = std::min(lf_ - 1, static_cast<int>(std::ceil(x1 * super_)));
    const int py1 = std::min(af_ - 1, static_cast<int>(std::ceil(y1 * super_)));
    for (int py = py0; py <= py1; ++py)
        for (int px = px0; px <= px1; ++px) f(px, py, (px + 0.5) / super_, (py + 0.5) / super_);
}

void Tela::Linha(Ponto a, Ponto b, double esp, Cor c) {
    const double r = esp / 2;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    Varre(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
          [&](int px, int py, double x, double y) {
              double t = l2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / l2 : 0;
              t = std::clamp(t, 0.0, 1.0);
              const double ex = a.x + t * dx - x, ey = a.y + t * dy - y;
              if (ex * ex + ey * ey <= r * r) Pinta(px, py, c);
          });
}

void Tela::Polilinha(const std::vector<Ponto>& p, double esp, Cor c) {
    for (std::size_t i = 1; i < p.size(); ++i) Linha(p[i - 1], p[i], esp, c);
}

void Tela::Tracejada(const std::vector<Ponto>& p, double esp, Cor c, double traco, double vao) {
    double fase = 0;  // position inside the dash pattern
    const double periodo = traco + vao;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const double dx = p[i].x - p[i - 1].x, dy = p[i].y - p[i - 1].y;
        const double l = std::hypot(dx, dy);
        double s = 0;
        while (s < l) {
            const double noPadrao = std::fmod(fase + s, periodo);
            if (noPadrao < traco) {
                const double fim = std::min(l, s + traco - noPadrao);
                Linha({p[i - 1].x + dx * s / l, p[i - 1].y + dy * s / l},
                      {p[i - 1].x + dx * fim / l, p[i - 1].y + dy * fim / l}, esp, c);
                s = fim;
            } else {
                s += periodo - noPadrao;
            }
        }
        fase = std::fmod(fase + l, periodo);
    }
}

void Tela::Seta(const std::vector<Ponto>& p, double esp, Cor c, double ponta) {
    if (p.size() < 2) return;
    const Ponto a = p[p.size() - 2], b = p.back();
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    const double ux = (b.x - a.x) / l, uy = (b.y - a.y) / l;
    std::vector<Ponto> corpo = p;
    corpo.back() = {b.x - ux * ponta * 0.8, b.y - uy * ponta * 0.8};
    Polilinha(corpo, esp, c);
    const double meia = ponta * 0.5;
    Poligono({b, {b.x - ux * ponta - uy * meia, b.y - uy * ponta + ux * meia},
              {b.x - ux * ponta + uy * meia, b.y - uy * ponta - ux * meia}},
             c);
}

void Tela::Retangulo(double x, double y, double w, double h, Cor preenche) {
    Varre(x, y, x + w, y + h, [&](int px, int py, double cx, double cy) {
        if (cx >= x && cx <= x + w && cy >= y && cy <= y + h) Pinta(px, py, preenche);
    });
}

void Tela::Moldura(double x, double y, double w, double h, double esp, Cor c) {
    Polilinha({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}}, esp, c);
}

void Tela::RetanguloArredondado(double x, double y, double w, double h, double raio, std::optional<Cor> preenche,
                                double esp, Cor contorno) {
    raio = std::min({raio, w / 2, h / 2});
    // Distance from the rounded outline, negative inside.
    auto distancia = [&](double px, double py) {
        const double qx = std::fabs(px - (x + w / 2)) - (w / 2 - raio);
        const double qy = std::fabs(py - (y + h / 2)) - (h / 2 - raio);
        const double fora = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return fora + std::min(std::max(qx, qy), 0.0) - raio;
    };
    const double m = esp;
    Varre(x - m, y - m, x + w + m, y + h + m, [&](int px, int py, double cx, double cy) {
        const double d = distancia(cx, cy);
        if (esp > 0 && std::fabs(d) <= esp / 2)
            Pinta(px, py, contorno);
        else if (d < 0 && preenche)
            Pinta(px, py, *preenche);
    });
}

void Tela::Circulo(Ponto c, double r, Cor preenche) { Elipse(c, r, r, preenche); }

void Tela::Anel(Ponto c, double r, double esp, Cor cor) {
    const double m = r + esp;
    Varre(c.x - m, c.y - m, c.x + m, c.y + m, [&](int px, int py, double x, double y) {
        if (std::fabs(std::hypot(x - c.x, y - c.y) - r) <= esp / 2) Pinta(px, py, cor);
    });
}

void Tela::Elipse(Ponto c, double rx, double ry, Cor preenche) {
    Varre(c.x - rx, c.y - ry, c.x + rx, c.y + ry, [&](int px, int py, double x, double y) {
        const double u = (x - c.x) / rx, v = (y - c.y) / ry;
        if (u * u + v * v <= 1) Pinta(px, py, preenche);
    });
}

void Tela::Poligono(const std::vector<Ponto>& p, Cor preenche) {
    if (p.size() < 3) return;
    double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const Ponto& q : p) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    // Even-odd rule at the centre of every fine pixel.
    Varre(x0, y0, x1, y1, [&](int px, int py, double x, double y) {
        bool dentro = false;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if ((p[i].y > y) != (p[j].y > y) &&
                x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                dentro = !dentro;
        }
        if (dentro) Pinta(px, py, preenche);
    });
}

void Tela::PoligonoContorno(const std::vector<Ponto>& p, Cor preenche, double esp, Cor contorno) {
    Poligono(p, preenche);
    std::vector<Ponto> fechado = p;
    fechado.push_back(p.front());
    Polilinha(fechado, esp, contorno);
}

double Tela::LarguraTexto(std::string_view texto, double escala) {
    return texto.empty() ? 0 : (6.0 * static_cast<double>(texto.size()) - 1) * escala;
}

void Tela::Texto(double x, double y, std::string_view texto, double escala, Cor c, Alinha al) {
    const double w = LarguraTexto(texto, escala);
    if (al == Alinha::Centro) x -= w / 2;
    if (al == Alinha::Direita) x -= w;
    for (char ch : texto) {
        if (const std::uint8_t* g = Glifo(ch)) {
            for (int lin = 0; lin < 7; ++lin)
                for (int col = 0; col < 5; ++col)
                    if (g[lin] & (0x10 >> col)) Retangulo(x + col * escala, y + lin * escala, escala, escala, c);
        }
        x += 6 * escala;
    }
}

Imagem Tela::Final() const {
    Imagem fina{lf_, af_, fino_};
    return fina.Reduzida(largura_, altura_);
}

}  // namespace kivo::exemplos
