#include "Simbolos.h"

#include <algorithm>
#include <cmath>

namespace kivo::exemplos {

using namespace paleta;

void Tubo(Tela& t, const std::vector<Ponto>& p, Cor c, bool seta) {
    if (seta)
        t.Seta(p, kEspTubo, c, 11);
    else
        t.Polilinha(p, kEspTubo, c);
}

void Sinal(Tela& t, const std::vector<Ponto>& p) { t.Tracejada(p, kEspSinal, kSinal, 6, 4); }

namespace {

// The two triangles of a valve body, meeting at c.
void CorpoValvula(Tela& t, Ponto c, Direcao d, double a, double b) {
    std::vector<Ponto> esq, dir;
    if (d == Direcao::Horizontal) {
        esq = {{c.x - a, c.y - b}, {c.x - a, c.y + b}, c};
        dir = {{c.x + a, c.y - b}, {c.x + a, c.y + b}, c};
    } else {
        esq = {{c.x - b, c.y - a}, {c.x + b, c.y - a}, c};
        dir = {{c.x - b, c.y + a}, {c.x + b, c.y + a}, c};
    }
    t.PoligonoContorno(esq, kBolha, kEspContorno, kLinha);
    t.PoligonoContorno(dir, kBolha, kEspContorno, kLinha);
}

}  // namespace

void ValvulaControle(Tela& t, Ponto c, Direcao d) {
    CorpoValvula(t, c, d, 13, 9);
    // Stem and diaphragm: above a horizontal valve, to the left of a vertical one.
    if (d == Direcao::Horizontal) {
        t.Linha(c, {c.x, c.y - 20}, kEspContorno, kLinha);
        std::vector<Ponto> cupula;
        for (int i = 0; i <= 16; ++i) {
            const double a = M_PI * i / 16;
            cupula.push_back({c.x - 11 * std::cos(a), c.y - 20 - 9 * std::sin(a)});
        }
        t.PoligonoContorno(cupula, kEquipamento, kEspContorno, kLinha);
    } else {
        t.Linha(c, {c.x - 20, c.y}, kEspContorno, kLinha);
        std::vector<Ponto> cupula;
        for (int i = 0; i <= 16; ++i) {
            const double a = M_PI * i / 16;
            cupula.push_back({c.x - 20 - 9 * std::sin(a), c.y - 11 * std::cos(a)});
        }
        t.PoligonoContorno(cupula, kEquipamento, kEspContorno, kLinha);
    }
}

void ValvulaManual(Tela& t, Ponto c, Direcao d) { CorpoValvula(t, c, d, 10, 7); }

void Bomba(Tela& t, Ponto c, double r) {
    t.Poligono({{c.x - r * 0.7, c.y + r + 6}, {c.x + r * 0.7, c.y + r + 6}, {c.x, c.y}}, kLinha);
    t.Circulo(c, r, kEquipamento);
    t.Anel(c, r, kEspContorno, kLinha);
    // Discharge leaving tangentially at the top.
    t.Linha({c.x, c.y - r}, {c.x + r, c.y - r}, kEspTubo, kLinha);
    t.Linha({c.x + r, c.y - r}, {c.x + r, c.y - r - 6}, kEspTubo, kLinha);
    t.Poligono({{c.x - r * 0.45, c.y - r * 0.5}, {c.x - r * 0.45, c.y + r * 0.5}, {c.x + r * 0.55, c.y}}, kLinha);
}

void Soprador(Tela& t, Ponto c, double r) {
    t.Circulo(c, r, kEquipamento);
    t.Anel(c, r, kEspContorno, kLinha);
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        t.Linha(c, {c.x + r * 0.8 * std::cos(a), c.y + r * 0.8 * std::sin(a)}, 2.5, kLinha);
    }
    t.Linha({c.x, c.y - r}, {c.x + r, c.y - r}, kEspTubo, kLinha);
}

void Motor(Tela& t, Ponto c, const std::string& texto) {
    t.Circulo(c, 11, kBolha);
    t.Anel(c, 11, kEspContorno, kLinha);
    Rotulo(t, c.x, c.y - 5, texto, Alinha::Centro, kLinha, 1.4);
}

void VasoVertical(Tela& t, double x, double y, double w, double h, double nivel) {
    const double raio = w * 0.45;
    t.RetanguloArredondado(x, y, w, h, raio, kEquipamento, kEspContorno, kLinha);
    if (nivel >= 0) {
        const double topo = y + h - nivel * h;
        // The liquid: the vessel's shape below the level line, row by row.
        for (double yy = std::max(topo, y + 1); yy < y + h - 1; yy += 0.34) {
            const double dy = std::max({0.0, (y + raio) - yy, yy - (y + h - raio)});
            const double recuo = raio - std::sqrt(std::max(0.0, raio * raio - dy * dy));
            t.Retangulo(x + 1.5 + recuo, yy, w - 3 - 2 * recuo, 0.34, kLiquido);
        }
        t.Linha({x + 4, topo}, {x + w - 4, topo}, 1.2, kAgua);
        t.RetanguloArredondado(x, y, w, h, raio, std::nullopt, kEspContorno, kLinha);
    }
}

void TanqueAberto(Tela& t, double x, double y, double w, double h, double nivel) {
    t.Retangulo(x, y, w, h, kEquipamento);
    const double topo = y + h - nivel * h;
    t.Retangulo(x, topo, w, y + h - topo, kLiquido);
    t.Linha({x, topo}, {x + w, topo}, 1.2, kAgua);
    t.Polilinha({{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}, kEspContorno + 0.5, kLinha);
}

void TamborHorizontal(Tela& t, double x, double y, double w, double h, double nivel) {
    t.RetanguloArredondado(x, y, w, h, h / 2, kEquipamento, kEspContorno, kLinha);
    if (nivel >= 0) {
        const double r = h / 2;
        const double topo = y + h - nivel * h;
        for (double yy = std::max(topo, y + 1); yy < y + h - 1; yy += 0.34) {
            const double dy = yy - (y + r);
            const double recuo = r - std::sqrt(std::max(0.0, r * r - dy * dy));
            t.Retangulo(x + 1.5 + recuo, yy, w - 3 - 2 * recuo, 0.34, kLiquido);
        }
        const double dy = topo - (y + r);
        const double recuo = r - std::sqrt(std::max(0.0, r * r - dy * dy));
        t.Linha({x + recuo + 3, topo}, {x + w - recuo - 3, topo}, 1.2, kAgua);
        t.RetanguloArredondado(x, y, w, h, h / 2, std::nullopt, kEspContorno, kLinha);
    }
}

void Trocador(Tela& t, double x, double y, double w, double h) {
    t.RetanguloArredondado(x, y, w, h, h / 2, kEquipamento, kEspContorno, kLinha);
    // Tube passes drawn as a zig-zag.
    std::vector<Ponto> z;
    const int n = 6;
    for (int i = 0; i <= n; ++i)
        z.push_back({x + h / 2 + (w - h) * i / n, (i % 2 == 0) ? y + h * 0.3 : y + h * 0.7});
    t.Polilinha(z, 2, kLinha);
}

void ReatorJaqueta(Tela& t, double x, double y, double w, double h, double nivel, double folga) {
    t.RetanguloArredondado(x - folga, y + h * 0.2, w + 2 * folga, h * 0.8 + folga, w * 0.35, kPainel, kEspContorno,
                           kLinha);
    VasoVertical(t, x, y, w, h, nivel);
    const double cx = x + w / 2;
    t.Linha({cx, y - 26}, {cx, y + h * 0.8}, 2.5, kLinha);
    t.PoligonoContorno({{cx - 22, y + h * 0.8 - 6}, {cx + 22, y + h * 0.8 - 6}, {cx + 22, y + h * 0.8 + 2},
                        {cx - 22, y + h * 0.8 + 2}},
                       kLinha, 1, kLinha);
    Motor(t, {cx, y - 34});
}

void Chama(Tela& t, Ponto c, double altura) {
    const double l = altura * 0.35;
    t.Poligono({{c.x - l, c.y}, {c.x - l * 0.6, c.y - altura * 0.5}, {c.x, c.y - altura},
                {c.x + l * 0.6, c.y - altura * 0.5}, {c.x + l, c.y}},
               kFogo);
    t.Poligono({{c.x - l * 0.5, c.y}, {c.x, c.y - altura * 0.6}, {c.x + l * 0.5, c.y}}, kFogoClaro);
}

void Forno(Tela& t, double x, double y, double w, double h) {
    const double cx = x + w / 2;
    // Stack and convection section.
    t.PoligonoContorno({{x + w * 0.1, y + h * 0.25}, {x + w * 0.35, y}, {x + w * 0.65, y}, {x + w * 0.9, y + h * 0.25}},
                       kEquipamento, kEspContorno, kLinha);
    t.Retangulo(cx - w * 0.08, y - h * 0.25, w * 0.16, h * 0.25 + 1, kEquipamento);
    t.Moldura(cx - w * 0.08, y - h * 0.25, w * 0.16, h * 0.25, kEspContorno, kLinha);
    t.Retangulo(x, y + h * 0.25, w, h * 0.75, kEquipamento);
    t.Moldura(x, y + h * 0.25, w, h * 0.75, kEspContorno, kLinha);
    // Radiant coil along the walls.
    std::vector<Ponto> serp;
    for (int i = 0; i <= 8; ++i) {
        const double yy = y + h * 0.32 + (h * 0.5) * i / 8;
        serp.push_back({(i % 2 == 0) ? x + 10 : x + w - 10, yy});
    }
    t.Polilinha(serp, 1.6, kTextoSuave);
    for (int i = 1; i <= 3; ++i) Chama(t, {x + w * i / 4, y + h - 4}, h * 0.28);
}

void Coluna(Tela& t, double x, double y, double w, double h, int pratos) {
    t.RetanguloArredondado(x, y, w, h, w * 0.45, kEquipamento, kEspContorno, kLinha);
    for (int i = 1; i <= pratos; ++i) {
        const double yy = y + w * 0.5 + (h - w) * i / (pratos + 1);
        if (i % 2 == 0)
            t.Linha({x + 2, yy}, {x + w * 0.72, yy}, 1.6, kLinha);
        else
            t.Linha({x + w * 0.28, yy}, {x + w - 2, yy}, 1.6, kLinha);
    }
}

void Resfriador(Tela& t, double x, double y, double w, double h) {
    t.Retangulo(x, y, w, h * 0.45, kEquipamento);
    t.Moldura(x, y, w, h * 0.45, kEspContorno, kLinha);
    for (int i = 1; i < 6; ++i) t.Linha({x + 4, y + h * 0.45 * i / 6}, {x + w - 4, y + h * 0.45 * i / 6}, 1, kLinha);
    const double cx = x + w / 2, cy = y + h * 0.75;
    t.Elipse({cx - w * 0.18, cy}, w * 0.16, h * 0.08, kEquipamento);
    t.Elipse({cx + w * 0.18, cy}, w * 0.16, h * 0.08, kEquipamento);
    t.Linha({cx - w * 0.34, cy}, {cx + w * 0.34, cy}, 1.6, kLinha);
    t.Circulo({cx, cy}, 4, kLinha);
    t.Linha({cx, cy}, {cx, y + h * 0.45}, 1.6, kLinha);
}

void PlacaOrificio(Tela& t, Ponto c, Direcao d) {
    if (d == Direcao::Horizontal) {
        t.Linha({c.x - 3, c.y - 10}, {c.x - 3, c.y + 10}, 2, kLinha);
        t.Linha({c.x + 3, c.y - 10}, {c.x + 3, c.y + 10}, 2, kLinha);
    } else {
        t.Linha({c.x - 10, c.y - 3}, {c.x + 10, c.y - 3}, 2, kLinha);
        t.Linha({c.x - 10, c.y + 3}, {c.x + 10, c.y + 3}, 2, kLinha);
    }
}

void Instrumento(Tela& t, Ponto c, const std::string& letras, const std::string& numero) {
    t.Circulo(c, kRaioBolha, kBolha);
    t.Anel(c, kRaioBolha, kEspContorno, kSinal);
    t.Linha({c.x - kRaioBolha, c.y}, {c.x + kRaioBolha, c.y}, 1.2, kSinal);
    const double escala = letras.size() > 3 ? 1.2 : 1.6;
    t.Texto(c.x, c.y - 3 - Tela::AlturaTexto(escala), letras, escala, kLinha, Alinha::Centro);
    t.Texto(c.x, c.y + 4, numero, 1.2, kLinha, Alinha::Centro);
}

void Funcao(Tela& t, Ponto c, const std::string& simbolo, double lado) {
    t.RetanguloArredondado(c.x - lado / 2, c.y - lado / 2, lado, lado, 3, kBolha, kEspContorno, kSinal);
    t.Texto(c.x, c.y - Tela::AlturaTexto(1.8) / 2, simbolo, 1.8, kLinha, Alinha::Centro);
}

void Rotulo(Tela& t, double x, double y, const std::string& texto, Alinha al, Cor c, double escala) {
    t.Texto(x, y, texto, escala, c, al);
}

}  // namespace kivo::exemplos
