// The six enemy hulls and their glows. Art points up (nose towards row 0);
// user space is -1..1 across the picture. Each hull keeps a margin so that its
// glow, drawn at the same size, fades out before the picture's edge.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"

#include <cmath>

namespace {

struct Pt {
    double x, y;
};

void polygon(cairo_t* cr, const std::vector<Pt>& pts) {
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    cairo_close_path(cr);
}

// A closed outline from its right half (nose to tail, x >= 0) and its mirror image.
void mirrored(cairo_t* cr, const std::vector<Pt>& right) {
    cairo_move_to(cr, right[0].x, right[0].y);
    for (size_t i = 1; i < right.size(); ++i) cairo_line_to(cr, right[i].x, right[i].y);
    for (size_t i = right.size(); i-- > 0;)
        if (right[i].x != 0.0) cairo_line_to(cr, -right[i].x, right[i].y);
    cairo_close_path(cr);
}

// The same polygon on both sides of the centre line.
void pair(cairo_t* cr, const std::vector<Pt>& pts) {
    polygon(cr, pts);
    std::vector<Pt> m;
    for (size_t i = pts.size(); i-- > 0;) m.push_back({-pts[i].x, pts[i].y});
    polygon(cr, m);
}

void circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

// A light: a soft disc of colour c with a white-hot centre.
void lamp(cairo_t* cr, double x, double y, double r, Rgb c) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.35, c.r * 0.5 + 0.5, c.g * 0.5 + 0.5, c.b * 0.5 + 0.5, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.8, c.r, c.g, c.b, 0.9);
    cairo_pattern_add_color_stop_rgba(g, 1.0, c.r, c.g, c.b, 0.0);
    cairo_set_source(cr, g);
    circle(cr, x, y, r);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// An elongated canopy or slot light.
void slot(cairo_t* cr, double x, double y, double rx, double ry, Rgb c) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    lamp(cr, 0, 0, 1, c);
    cairo_restore(cr);
}

// An engine port at the back: bright bar, hot core.
void engine(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
    cairo_pattern_add_color_stop_rgba(g, 0.0, c.r, c.g, c.b, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 0.3, c.r, c.g, c.b, 1.0);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 1.0);
    cairo_pattern_add_color_stop_rgba(g, 0.7, c.r, c.g, c.b, 1.0);
    cairo_pattern_add_color_stop_rgba(g, 1.0, c.r, c.g, c.b, 0.0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x - w / 2, y - h / 2, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

struct ShipDef {
    const char* name;                                  // file stem after "enemy_"
    int size;                                          // picture side in pixels
    int display;                                       // side the game draws it at
    Rgb color;                                         // the type's neon colour
    std::function<void(cairo_t*)> outline;             // the silhouette (one or more closed paths)
    std::function<void(cairo_t*)> plates;              // raised armour plates inside the outline
    std::function<void(cairo_t*)> seams;               // panel lines (stroked, not closed)
    std::function<void(cairo_t*, double, Rgb)> lights; // emissive parts; u = one display pixel
};

void fillHull(cairo_t* cr, Rgb top, Rgb bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(-0.3, -0.9, 0.3, 0.9);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

// A line of width w just inside the current path (the path is consumed).
void innerStroke(cairo_t* cr, double w) {
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_line_width(cr, 2 * w);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void drawShip(const ShipDef& d, const Paths& paths) {
    const double u = 2.0 / d.display; // one display pixel in user units
    const float texPerDisplay = static_cast<float>(d.size) / d.display;
    const Rgb dark = {0.03f, 0.03f, 0.05f};

    Canvas body(d.size, d.size, true);
    cairo_t* cr = body.cr;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Dark rim outside the hull keeps the silhouette crisp over bright things.
    d.outline(cr);
    setColor(cr, dark, 0.85);
    cairo_set_line_width(cr, 2.4 * u);
    cairo_stroke_preserve(cr);
    fillHull(cr, mix({0.36f, 0.38f, 0.46f}, d.color, 0.14f), mix({0.08f, 0.085f, 0.11f}, d.color, 0.06f));
    cairo_new_path(cr);
    // Plates: lighter, with a dark gap around them.
    d.plates(cr);
    fillHull(cr, mix({0.50f, 0.52f, 0.60f}, d.color, 0.10f), mix({0.15f, 0.16f, 0.21f}, d.color, 0.08f));
    setColor(cr, dark, 0.9);
    cairo_set_line_width(cr, 1.1 * u);
    cairo_stroke_preserve(cr);
    cairo_new_path(cr);
    d.plates(cr);
    setColor(cr, {1, 1, 1}, 0.18);
    innerStroke(cr, 0.8 * u);
    // Seams.
    d.seams(cr);
    setColor(cr, dark, 0.8);
    cairo_set_line_width(cr, 0.9 * u);
    cairo_stroke(cr);
    // Sheen from the upper left.
    cairo_save(cr);
    d.outline(cr);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_radial(-0.25, -0.35, 0.0, -0.25, -0.35, 0.9);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
    // Neon trim just inside the outline, then the lights.
    d.outline(cr);
    setColor(cr, d.color, 0.95);
    innerStroke(cr, 1.3 * u);
    d.lights(cr, u, d.color);
    save(body.image(), paths.gfx + "/enemy_" + d.name + ".png", true);

    // Glow: the trim and lights spread out, over a faint wash of the silhouette.
    Canvas em(d.size, d.size, true);
    cairo_set_line_join(em.cr, CAIRO_LINE_JOIN_ROUND);
    d.outline(em.cr);
    setColor(em.cr, d.color, 1.0);
    innerStroke(em.cr, 1.8 * u);
    d.lights(em.cr, u, d.color);
    Image emit = em.image();
    Canvas sil(d.size, d.size, true);
    d.outline(sil.cr);
    setColor(sil.cr, d.color, 1.0);
    cairo_fill(sil.cr);
    Image wash = sil.image();

    // The wide halo and the wash are held back over the hull itself so the
    // hull keeps its own shading and the light gathers round the outline.
    Image hold = wash;
    Image glow(d.size, d.size);
    Image a = emit;
    a.blur(1.2f * texPerDisplay);
    glow.add(a, 0.8f);
    Image b = emit;
    b.blur(4.0f * texPerDisplay);
    wash.blur(5.0f * texPerDisplay);
    b.add(wash, 0.12f);
    for (size_t i = 0; i < b.p.size(); i += 4)
        for (int c = 0; c < 4; ++c) b.p[i + c] *= 1.0f - 0.7f * hold.p[i + 3];
    glow.add(b, 1.7f);
    glow.fadeBorder(0.06f * d.size);
    save(asCoverage(glow), paths.gfx + "/enemy_" + d.name + "_glow.png", true);
}

// Angle where the circle (0, oy, R) meets the circle (0, iy, r), on the right,
// in Cairo's angle convention about the first centre.
double hornAngle(double oy, double R, double iy, double r) {
    double lo = -M_PI / 2, hi = M_PI / 2;
    for (int i = 0; i < 60; ++i) {
        double a = 0.5 * (lo + hi);
        double x = R * std::cos(a), y = oy + R * std::sin(a);
        double dist = std::hypot(x, y - iy);
        if (dist < r)
            lo = a;
        else
            hi = a;
    }
    return 0.5 * (lo + hi);
}

std::vector<ShipDef> ships() {
    std::vector<ShipDef> v;

    // Fighter: a slim red dart with swept wings.
    v.push_back({"fighter",
                 128,
                 96,
                 {1.0f, 0.22f, 0.16f},
                 [](cairo_t* cr) {
                     mirrored(cr, {{0, -0.84},
                                   {0.10, -0.56},
                                   {0.16, -0.20},
                                   {0.70, 0.36},
                                   {0.70, 0.50},
                                   {0.30, 0.42},
                                   {0.22, 0.62},
                                   {0.0, 0.50}});
                 },
                 [](cairo_t* cr) {
                     mirrored(cr, {{0, -0.64}, {0.065, -0.42}, {0.10, -0.06}, {0.11, 0.40}, {0, 0.34}});
                     pair(cr, {{0.22, 0.0}, {0.60, 0.38}, {0.56, 0.43}, {0.22, 0.32}});
                 },
                 [](cairo_t* cr) {
                     cairo_move_to(cr, 0, -0.06);
                     cairo_line_to(cr, 0, 0.30);
                     cairo_move_to(cr, 0.17, 0.40);
                     cairo_line_to(cr, 0.19, -0.12);
                     cairo_move_to(cr, -0.17, 0.40);
                     cairo_line_to(cr, -0.19, -0.12);
                 },
                 [](cairo_t* cr, double, Rgb c) {
                     slot(cr, 0, -0.30, 0.045, 0.14, mix(c, {1, 0.8f, 0.6f}, 0.3f));
                     engine(cr, 0.11, 0.50, 0.09, 0.08, c);
                     engine(cr, -0.11, 0.50, 0.09, 0.08, c);
                     lamp(cr, 0.64, 0.44, 0.06, c);
                     lamp(cr, -0.64, 0.44, 0.06, c);
                 }});

    // Fighter2: a heavier orange fighter with two forward prongs.
    v.push_back({"fighter2",
                 256,
                 136,
                 {1.0f, 0.58f, 0.12f},
                 [](cairo_t* cr) {
                     mirrored(cr, {{0, -0.58},
                                   {0.12, -0.50},
                                   {0.20, -0.30},
                                   {0.34, -0.62},
                                   {0.40, -0.82},
                                   {0.50, -0.82},
                                   {0.55, -0.52},
                                   {0.54, -0.14},
                                   {0.80, 0.26},
                                   {0.80, 0.40},
                                   {0.46, 0.38},
                                   {0.32, 0.60},
                                   {0.14, 0.52},
                                   {0, 0.64}});
                 },
                 [](cairo_t* cr) {
                     mirrored(cr, {{0, -0.46}, {0.09, -0.36}, {0.14, 0.10}, {0.09, 0.44}, {0, 0.50}});
                     pair(cr, {{0.41, -0.70}, {0.48, -0.70}, {0.49, -0.16}, {0.40, -0.06}, {0.30, -0.24}});
                     pair(cr, {{0.52, 0.02}, {0.72, 0.30}, {0.46, 0.31}, {0.30, 0.18}});
                 },
                 [](cairo_t* cr) {
                     cairo_move_to(cr, 0.22, -0.10);
                     cairo_line_to(cr, 0.30, 0.50);
                     cairo_move_to(cr, -0.22, -0.10);
                     cairo_line_to(cr, -0.30, 0.50);
                     cairo_move_to(cr, 0, 0.0);
                     cairo_line_to(cr, 0, 0.40);
                 },
                 [](cairo_t* cr, double, Rgb c) {
                     slot(cr, 0, -0.24, 0.05, 0.13, mix(c, {1, 1, 0.8f}, 0.3f));
                     lamp(cr, 0.45, -0.78, 0.07, c);
                     lamp(cr, -0.45, -0.78, 0.07, c);
                     engine(cr, 0, 0.58, 0.10, 0.07, c);
                     engine(cr, 0.22, 0.53, 0.10, 0.07, c);
                     engine(cr, -0.22, 0.53, 0.10, 0.07, c);
                     for (int i = 0; i < 3; ++i) {
                         double t = i / 2.0;
                         lamp(cr, 0.58 + 0.16 * t, 0.06 + 0.24 * t, 0.028, c);
                         lamp(cr, -0.58 - 0.16 * t, 0.06 + 0.24 * t, 0.028, c);
                     }
                 }});

    // Hammerhead: a magenta gunship with a broad hammer at the front.
    v.push_back(
        {"hammerhead",
         256,
         136,
         {1.0f, 0.24f, 0.86f},
         [](cairo_t* cr) {
             mirrored(cr, {{0, -0.66},
                           {0.18, -0.70},
                           {0.60, -0.78},
                           {0.80, -0.68},
                           {0.80, -0.52},
                           {0.62, -0.44},
                           {0.24, -0.40},
                           {0.20, 0.28},
                           {0.40, 0.40},
                           {0.42, 0.70},
                           {0.22, 0.80},
                           {0, 0.74}});
         },
         [](cairo_t* cr) {
             pair(cr,
                  {{0.06, -0.60}, {0.58, -0.70}, {0.72, -0.62}, {0.72, -0.56}, {0.58, -0.50}, {0.06, -0.48}});
             mirrored(cr, {{0, -0.36}, {0.12, -0.34}, {0.12, 0.30}, {0, 0.36}});
             pair(cr, {{0.20, 0.40}, {0.34, 0.46}, {0.35, 0.66}, {0.20, 0.72}});
         },
         [](cairo_t* cr) {
             for (int i = 0; i < 5; ++i) {
                 double y = -0.26 + 0.12 * i;
                 cairo_move_to(cr, 0.13, y);
                 cairo_line_to(cr, 0.21, y + 0.03);
                 cairo_move_to(cr, -0.13, y);
                 cairo_line_to(cr, -0.21, y + 0.03);
             }
             cairo_move_to(cr, 0.36, -0.72);
             cairo_line_to(cr, 0.36, -0.48);
             cairo_move_to(cr, -0.36, -0.72);
             cairo_line_to(cr, -0.36, -0.48);
         },
         [](cairo_t* cr, double, Rgb c) {
             lamp(cr, 0.72, -0.60, 0.085, c);
             lamp(cr, -0.72, -0.60, 0.085, c);
             slot(cr, 0, -0.12, 0.035, 0.17, mix(c, {1, 1, 1}, 0.25f));
             engine(cr, 0.27, 0.76, 0.13, 0.07, c);
             engine(cr, -0.27, 0.76, 0.13, 0.07, c);
             engine(cr, 0, 0.76, 0.10, 0.06, c);
             for (int i = 0; i < 4; ++i) {
                 lamp(cr, 0.16 + 0.11 * i, -0.54, 0.022, c);
                 lamp(cr, -0.16 - 0.11 * i, -0.54, 0.022, c);
             }
         }});

    // Probe: a yellow round drone with two forward feelers.
    v.push_back(
        {"probe",
         128,
         82,
         {1.0f, 0.86f, 0.18f},
         [](cairo_t* cr) {
             std::vector<Pt> r = {{0, -0.34}, {0.10, -0.40}, {0.16, -0.80}, {0.25, -0.80}, {0.30, -0.38}};
             const double cy = 0.08, R = 0.52;
             for (int i = 36; i <= 180; i += 6) {
                 double a = i * M_PI / 180;
                 r.push_back({R * std::sin(a), cy - R * std::cos(a)});
             }
             r.back().x = 0;
             mirrored(cr, r);
         },
         [](cairo_t* cr) {
             circle(cr, 0, 0.08, 0.36);
             pair(cr, {{0.17, -0.72}, {0.23, -0.72}, {0.26, -0.44}, {0.16, -0.42}});
         },
         [](cairo_t* cr) {
             for (int i = 0; i < 6; ++i) {
                 double a = (i * 60 + 30) * M_PI / 180;
                 cairo_move_to(cr, 0.38 * std::sin(a), 0.08 - 0.38 * std::cos(a));
                 cairo_line_to(cr, 0.50 * std::sin(a), 0.08 - 0.50 * std::cos(a));
             }
         },
         [](cairo_t* cr, double u, Rgb c) {
             lamp(cr, 0, 0.08, 0.16, c);
             cairo_new_path(cr);
             cairo_arc(cr, 0, 0.08, 0.29, 0, 2 * M_PI);
             setColor(cr, c, 0.9);
             cairo_set_line_width(cr, 1.4 * u);
             cairo_stroke(cr);
             lamp(cr, 0.205, -0.76, 0.07, c);
             lamp(cr, -0.205, -0.76, 0.07, c);
         }});

    // Probe2: a lime three-bladed spinner.
    v.push_back(
        {"probe2",
         128,
         96,
         {0.55f, 1.0f, 0.22f},
         [](cairo_t* cr) {
             std::vector<Pt> pts;
             const double R = 0.80, inner = 0.30;
             for (int k = 0; k < 3; ++k) {
                 double a0 = k * 2 * M_PI / 3, a1 = (k + 1) * 2 * M_PI / 3, am = 0.5 * (a0 + a1);
                 Pt p0 = {R * std::sin(a0), -R * std::cos(a0)}, p1 = {R * std::sin(a1), -R * std::cos(a1)};
                 Pt c = {inner * std::sin(am), -inner * std::cos(am)};
                 for (int i = 0; i < 16; ++i) {
                     double t = i / 16.0, s = 1 - t;
                     pts.push_back({s * s * p0.x + 2 * s * t * c.x + t * t * p1.x,
                                    s * s * p0.y + 2 * s * t * c.y + t * t * p1.y});
                 }
             }
             polygon(cr, pts);
         },
         [](cairo_t* cr) {
             std::vector<Pt> hex;
             for (int i = 0; i < 6; ++i) {
                 double a = i * M_PI / 3;
                 hex.push_back({0.30 * std::sin(a), -0.30 * std::cos(a)});
             }
             polygon(cr, hex);
         },
         [](cairo_t* cr) {
             for (int k = 0; k < 3; ++k) {
                 double a = k * 2 * M_PI / 3;
                 cairo_move_to(cr, 0.32 * std::sin(a), -0.32 * std::cos(a));
                 cairo_line_to(cr, 0.60 * std::sin(a), -0.60 * std::cos(a));
             }
         },
         [](cairo_t* cr, double, Rgb c) {
             lamp(cr, 0, 0, 0.16, c);
             for (int k = 0; k < 3; ++k) {
                 double a = k * 2 * M_PI / 3;
                 lamp(cr, 0.66 * std::sin(a), -0.66 * std::cos(a), k == 0 ? 0.09 : 0.07, c);
             }
         }});

    // Probe3: a cyan claw holding an energy core.
    v.push_back({"probe3",
                 128,
                 116,
                 {0.18f, 0.95f, 0.92f},
                 [](cairo_t* cr) {
                     const double oy = 0.10, R = 0.70, iy = -0.22, r = 0.50;
                     double a1 = hornAngle(oy, R, iy, r);
                     double hx = R * std::cos(a1), hy = oy + R * std::sin(a1);
                     double b1 = std::atan2(hy - iy, hx);
                     cairo_new_sub_path(cr);
                     cairo_arc(cr, 0, oy, R, a1, M_PI - a1);
                     cairo_arc_negative(cr, 0, iy, r, M_PI - b1, b1);
                     cairo_close_path(cr);
                     circle(cr, 0, -0.04, 0.19);
                 },
                 [](cairo_t* cr) {
                     cairo_new_sub_path(cr);
                     cairo_arc(cr, 0, 0.10, 0.62, 0.35, M_PI - 0.35);
                     cairo_arc_negative(cr, 0, -0.10, 0.56, M_PI - 0.60, 0.60);
                     cairo_close_path(cr);
                 },
                 [](cairo_t* cr) {
                     for (int i = -2; i <= 2; ++i) {
                         double a = M_PI / 2 + i * 0.42;
                         cairo_move_to(cr, 0.50 * std::cos(a), 0.30 + 0.20 * std::sin(a) - 0.2);
                         cairo_line_to(cr, 0.66 * std::cos(a), 0.10 + 0.66 * std::sin(a));
                     }
                 },
                 [](cairo_t* cr, double u, Rgb c) {
                     lamp(cr, 0, -0.04, 0.17, c);
                     cairo_new_path(cr);
                     cairo_arc(cr, 0, -0.04, 0.24, 0, 2 * M_PI);
                     setColor(cr, c, 0.6);
                     cairo_set_line_width(cr, 1.0 * u);
                     cairo_stroke(cr);
                     const double oy = 0.10, R = 0.70, iy = -0.22, r = 0.50;
                     double a1 = hornAngle(oy, R, iy, r);
                     double hx = R * std::cos(a1), hy = oy + R * std::sin(a1);
                     lamp(cr, hx - 0.02, hy + 0.03, 0.07, c);
                     lamp(cr, -hx + 0.02, hy + 0.03, 0.07, c);
                 }});
    return v;
}

} // namespace

void addShipJobs(std::vector<Job>& jobs, const Paths& paths) {
    for (const ShipDef& d : ships()) jobs.push_back([d, paths] { drawShip(d, paths); });
}
