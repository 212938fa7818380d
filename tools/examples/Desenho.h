#pragma once
// A small raster canvas for the example pictures: lines, circles, polygons
// and a pixel font, drawn at a multiple of the final size and averaged down,
// so that edges come out smooth. Pictures are written as 24-bit BMP files.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::exemplos {

struct Cor {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Ponto {
    double x = 0, y = 0;
};

// A finished picture at its final size, rows from the top.
struct Imagem {
    int largura = 0;
    int altura = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes per pixel

    Cor Pixel(int x, int y) const;
    // Averages boxes of pixels down to the given size.
    Imagem Reduzida(int largura, int altura) const;
    // The bytes of a 24-bit uncompressed BMP file.
    std::string Bmp() const;
    void GravaBmp(const std::filesystem::path& caminho) const;
};

enum class Alinha { Esquerda, Centro, Direita };

class Tela {
public:
    // Coordinates are those of the final picture; drawing happens at
    // `super` times that size.
    Tela(int largura, int altura, Cor fundo, int super = 3);

    int largura() const { return largura_; }
    int altura() const { return altura_; }

    // A segment with round ends, esp pixels wide.
    void Linha(Ponto a, Ponto b, double esp, Cor c);
    void Polilinha(const std::vector<Ponto>& p, double esp, Cor c);
    // Dashes of length traco separated by vao, along a polyline.
    void Tracejada(const std::vector<Ponto>& p, double esp, Cor c, double traco = 6, double vao = 4);
    // A polyline ending in a filled arrow head.
    void Seta(const std::vector<Ponto>& p, double esp, Cor c, double ponta = 9);
    void Retangulo(double x, double y, double w, double h, Cor preenche);
    void Moldura(double x, double y, double w, double h, double esp, Cor c);
    // Without a fill colour only the outline is drawn.
    void RetanguloArredondado(double x, double y, double w, double h, double raio, std::optional<Cor> preenche,
                              double esp, Cor contorno);
    void Circulo(Ponto c, double r, Cor preenche);
    void Anel(Ponto c, double r, double esp, Cor cor);
    void Elipse(Ponto c, double rx, double ry, Cor preenche);
    void Poligono(const std::vector<Ponto>& p, Cor preenche);
    void PoligonoContorno(const std::vector<Ponto>& p, Cor preenche, double esp, Cor contorno);

    // Upper-case text in the 5x7 pixel font; escala is the size of one font
    // pixel. y is the top of the text.
    void Texto(double x, double y, std::string_view texto, double escala, Cor c, Alinha al = Alinha::Esquerda);
    static double LarguraTexto(std::string_view texto, double escala);
    static double AlturaTexto(double escala) { return 7 * escala; }

    Imagem Final() const;

private:
    // Runs f(px, py) for every fine pixel whose centre lies in the box.
    template <class F>
    void Varre(double x0, double y0, double x1, double y1, F&& f);
    void Pinta(int px, int py, Cor c);

    int largura_, altura_, super_;
    int lf_, af_;  // fine size
    std::vector<std::uint8_t> fino_;
};

// The pixel rows of a glyph (7 rows of 5 bits, bit 4 on the left), or null
// for a character the font lacks.
const std::uint8_t* Glifo(char c);

}  // namespace kivo::exemplos
