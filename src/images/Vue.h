// The image view's geometry: which part of the picture the box shows (zoom law,
// origin), and the conversions between the three coordinate spaces:
//  - twips of the box (15 per screen pixel), where the mouse arrives;
//  - picture units, in which marks are stored: 2540/96 per image pixel (the
//    HIMETRIC units of a 96-dpi picture), held in 32-bit integers;
//  - pixel units, what the calibration factor multiplies: a fixed fraction of
//    the image width (LargeurReference units across the whole width, times the
//    resolution factor), whatever the zoom, the origin and the window size.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

inline constexpr int TwipsParPixelEcran = 15;
inline constexpr double UnitesImageParPixel = 2540.0 / 96.0;
// Pixel units across the whole image width at resolution factor 1: the width
// of the box, in twips, of the window the program was laid out for.
inline constexpr double LargeurReference = 12000.0;
inline constexpr int LargeurVignette = 2500; // twips

struct PointTwips {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const PointTwips&, const PointTwips&) = default;
};
struct PointImage {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const PointImage&, const PointImage&) = default;
};

class Vue {
public:
    Vue();

    // The picture shown, in image pixels; 0 x 0 while there is none.
    void FixeImage(int largeurPixels, int hauteurPixels);
    int LargeurPixels() const { return largeurPx_; }
    int HauteurPixels() const { return hauteurPx_; }
    bool ImageChargee() const { return largeurPx_ > 0 && hauteurPx_ > 0; }
    // W and H, the picture's size in picture units.
    double LargeurImage() const { return largeurPx_ * UnitesImageParPixel; }
    double HauteurImage() const { return hauteurPx_ * UnitesImageParPixel; }

    // Size of the box, in twips.
    void FixeBoite(int largeurTwips, int hauteurTwips);
    int LargeurBoite() const { return largeurBoite_; }
    int HauteurBoite() const { return hauteurBoite_; }

    // Zoom: z = b^e, the fraction of the image width that is visible.
    static double BaseZoom();
    int ExposantZoom() const { return exposant_; }
    int PasZoom() const { return pas_; }
    int ExposantInitial() const { return exposantInitial_; }
    double FacteurZoom() const { return facteur_; }
    void FixeExposant(int e);
    // W / box width: picture units per twip at z = 1.
    double EchelleImage() const;
    // K: box width / reference width.
    double CorrectionEcran() const;

    std::int32_t OrigineX() const { return origineX_; }
    std::int32_t OrigineY() const { return origineY_; }
    void FixeOrigine(std::int32_t x, std::int32_t y);

    // Conversions between the box and the picture.
    PointImage VersImage(PointTwips p) const;
    // Box position of a picture point, in twips (not rounded).
    double VersBoiteX(double xImage) const;
    double VersBoiteY(double yImage) const;
    // Picture units per twip at the current zoom.
    double ImageParTwip() const { return facteur_ * EchelleImage(); }

    // Pixel units between two picture points (not rounded), and the rule every
    // pointed length uses: that distance rounded to the nearest whole unit,
    // halves to the even neighbour.
    double UnitesPixels(PointImage a, PointImage b, double facteurResolution) const;
    std::int32_t LongueurPixels(PointImage a, PointImage b, double facteurResolution) const;
    // Pixel units of a distance given in twips of the box.
    double UnitesPixelsTwips(double twips, double facteurResolution) const;

    // The view commands.
    void VueInitiale();                      // e = -2 s, origin (0, 0)
    void ZoomBouton(int mode);               // 1 in, 2 out (only while e < 0); origin kept
    void Zoom1();                            // "Z1": e = ExposantInitial, origin (0, 0)
    void BasculePas();                       // s: 1 <-> 2
    void Recentre(PointTwips p);             // the point comes to the centre of the box
    bool ZoomCentre(int mode, PointTwips p); // false on overflow (view unchanged)
    // A press on the thumbnail (thumbnail twips, 2500 across the whole width).
    void ClicVignette(double x, double y);
    // Top-left corner of the visible part and its size, in thumbnail twips.
    double VignetteHauteur() const;
    void RectangleVignette(double& x, double& y, double& l, double& h) const;

    // The zoom read-out, "Z= " + Int(100 / z + 0.5) * 0.005.
    double ValeurZoom() const;

private:
    int largeurPx_ = 0, hauteurPx_ = 0;
    int largeurBoite_ = 12000, hauteurBoite_ = 9000;
    int exposant_ = 0;
    int pas_ = 1;
    int exposantInitial_ = 0;
    double facteur_ = 1.0;
    std::int32_t origineX_ = 0, origineY_ = 0;
};

} // namespace orv
