#include "preview/dxf/DxfDrawing.h"

#include "preview/dxf/DxfColors.h"
#include "preview/dxf/DxfGeometry.h"
#include "preview/dxf/DxfGroupReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace morvick {

namespace {

constexpr double kMaxCoordinate = 1e15;
constexpr int kByBlock = 0;
constexpr int kByLayer = 256;
constexpr long kMaxArrayCells = 10000;
constexpr size_t kMaxSplinePoints = 100000;

std::string Trimmed(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return std::string();
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

bool Sane(const DxfPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kMaxCoordinate &&
        std::fabs(p.y) < kMaxCoordinate;
}

// One entity: its type and the groups that follow its 0 group.
struct Entity {
    std::string type;
    std::vector<DxfGroup> groups;

    const DxfGroup* Find(int code) const
    {
        for (const DxfGroup& g : groups)
            if (g.code == code)
                return &g;
        return nullptr;
    }
    double Number(int code, double fallback = 0) const
    {
        const DxfGroup* g = Find(code);
        return g != nullptr ? g->Number() : fallback;
    }
    long Integer(int code, long fallback = 0) const
    {
        const DxfGroup* g = Find(code);
        return g != nullptr ? g->Integer() : fallback;
    }
    std::string Text(int code) const
    {
        const DxfGroup* g = Find(code);
        return g != nullptr ? g->value : std::string();
    }
    DxfPoint Point(int xCode) const { return {Number(xCode), Number(xCode + 10)}; }
};

struct Block {
    DxfPoint base;
    bool external = false;
    std::vector<Entity> entities;
};

struct Layer {
    int color = 7;
    bool off = false;
};

// What an insertion hands to the entities of its block.
struct Context {
    DxfTransform transform;
    std::string layer;  // the inserting entity's layer (for entities on layer "0")
    uint32_t color = 0xFFFFFF;
    int depth = 0;
};

// \U+XXXX as UTF-8; %%d, %%p and %%c as the degree, plus-minus and diameter signs.
std::string DecodeSpecials(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\\U+") == 0 && i + 7 <= text.size()) {
            char* end = nullptr;
            std::string hex = text.substr(i + 3, 4);
            unsigned long code = std::strtoul(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4) {
                if (code < 0x80) {
                    out.push_back(static_cast<char>(code));
                } else if (code < 0x800) {
                    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
                    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
                } else {
                    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
                    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
                    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
                }
                i += 6;
                continue;
            }
        }
        if (text.compare(i, 2, "%%") == 0 && i + 2 < text.size()) {
            char c = static_cast<char>(text[i + 2] | 0x20);
            const char* sign = c == 'd' ? "\xC2\xB0" : c == 'p' ? "\xC2\xB1" : c == 'c' ? "\xC3\x98" : nullptr;
            if (sign != nullptr) {
                out += sign;
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// The plain text of an MTEXT: paragraphs (\P) as line breaks, formatting codes and braces removed.
std::string PlainMText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c != '\\' || i + 1 >= text.size()) {
            out.push_back(c);
            continue;
        }
        char code = text[++i];
        switch (code) {
        case 'P':
        case 'X':
            out.push_back('\n');
            break;
        case '~':
            out.push_back(' ');
            break;
        case '\\':
        case '{':
        case '}':
            out.push_back(code);
            break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
            break;
        case 'U':
            // \U+XXXX, left for DecodeSpecials.
            out.push_back('\\');
            out.push_back('U');
            break;
        default: {
            // A code with an argument up to ';' (font, height, colour, stacking...).
            size_t end = text.find(';', i);
            if (end == std::string::npos)
                return out;
            i = end;
            break;
        }
        }
    }
    return out;
}

class Loader {
public:
    Loader(const uint8_t* data, size_t size, DxfDrawing& drawing, const std::function<void(int)>& progress,
        const DxfLimits& limits)
        : m_reader(data, size), m_drawing(drawing), m_progress(progress), m_limits(limits)
    {}

    DxfLoadResult Load();

private:
    void ReadHeader();
    void ReadTables();
    void ReadBlocks();
    // Entities up to the group (0, endMarker) or the end of the section.
    void ReadEntities(std::vector<Entity>& out, const char* endMarker);
    // The next record of the type in this section; false at the section's end.
    bool NextRecord(const char* type, Entity& record);
    bool ReadEntity(const DxfGroup& start, Entity& entity);
    void SkipSection();
    void Report();

    void Render(const std::vector<Entity>& entities, const Context& context);
    void RenderOne(const std::vector<Entity>& entities, size_t& index, const Context& context);
    void RenderPolyline(const std::vector<Entity>& entities, size_t& index, const Context& context);
    void RenderInsert(const Entity& e, const Context& context, uint32_t color, const std::string& layer);
    bool ColorOf(const Entity& e, const Context& context, uint32_t& color, std::string& layer) const;

    void AddLine(std::vector<DxfPoint> points, bool closed, DxfPrimitive::Kind kind, uint32_t color,
        const Context& context);
    void AddText(const Entity& e, std::string text, uint32_t color, const Context& context);
    bool Room(size_t points);

    DxfGroupReader m_reader;
    DxfDrawing& m_drawing;
    std::function<void(int)> m_progress;
    DxfLimits m_limits;
    std::map<std::string, Layer> m_layers;
    std::map<std::string, Block> m_blocks;
    std::vector<Entity> m_entities;
    int m_lastPercent = -1;
};

void Loader::Report()
{
    if (!m_progress || m_reader.Size() == 0)
        return;
    int percent = static_cast<int>(m_reader.Position() * 100 / m_reader.Size());
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        m_progress(percent);
    }
}

DxfLoadResult Loader::Load()
{
    DxfGroup g;
    bool sawSection = false;
    while (m_reader.Next(g)) {
        if (g.code == 999)
            continue;  // a comment
        if (g.code != 0) {
            if (!sawSection)
                return DxfLoadResult::kNotDxf;
            continue;
        }
        std::string name = Upper(Trimmed(g.value));
        if (name == "EOF")
            break;
        if (name != "SECTION") {
            if (!sawSection)
                return DxfLoadResult::kNotDxf;
            continue;
        }
        sawSection = true;
        DxfGroup kind;
        if (!m_reader.Next(kind))
            break;
        std::string section = Upper(Trimmed(kind.value));
        if (kind.code != 2)
            SkipSection();
        else if (section == "HEADER")
            ReadHeader();
        else if (section == "TABLES")
            ReadTables();
        else if (section == "BLOCKS")
            ReadBlocks();
        else if (section == "ENTITIES")
            ReadEntities(m_entities, "ENDSEC");
        else
            SkipSection();
        Report();
    }
    if (!sawSection)
        return DxfLoadResult::kNotDxf;
    Context top;
    Render(m_entities, top);
    if (m_progress)
        m_progress(100);
    return m_reader.Failed() ? DxfLoadResult::kDamaged : DxfLoadResult::kOk;
}

void Loader::SkipSection()
{
    DxfGroup g;
    while (m_reader.Next(g))
        if (g.code == 0 && Upper(Trimmed(g.value)) == "ENDSEC")
            return;
}

void Loader::ReadHeader()
{
    DxfGroup g;
    std::string variable;
    DxfPoint extMin, extMax;
    bool haveMin = false, haveMax = false;
    while (m_reader.Next(g)) {
        if (g.code == 0 && Upper(Trimmed(g.value)) == "ENDSEC")
            break;
        if (g.code == 9) {
            variable = Upper(Trimmed(g.value));
            continue;
        }
        if (variable == "$ACADVER" && g.code == 1)
            m_drawing.version = Trimmed(g.value);
        DxfPoint* target = variable == "$EXTMIN" ? &extMin : variable == "$EXTMAX" ? &extMax : nullptr;
        if (target != nullptr && (g.code == 10 || g.code == 20)) {
            (g.code == 10 ? target->x : target->y) = g.Number();
            (target == &extMin ? haveMin : haveMax) = true;
        }
    }
    if (haveMin && haveMax && Sane(extMin) && Sane(extMax) && extMin.x <= extMax.x && extMin.y <= extMax.y) {
        m_drawing.headerExtents.Add(extMin);
        m_drawing.headerExtents.Add(extMax);
    }
}

bool Loader::NextRecord(const char* type, Entity& record)
{
    DxfGroup g;
    while (m_reader.Next(g)) {
        if (g.code != 0)
            continue;
        std::string name = Upper(Trimmed(g.value));
        if (name == "ENDSEC")
            return false;
        if (name == type)
            return ReadEntity(g, record) || !record.groups.empty();
    }
    return false;
}

void Loader::ReadTables()
{
    Entity layer;
    while (NextRecord("LAYER", layer)) {
        std::string name = Trimmed(layer.Text(2));
        if (name.empty())
            continue;
        long color = layer.Integer(62, 7);
        Layer& entry = m_layers[Upper(name)];
        entry.off = color < 0;
        entry.color = static_cast<int>(std::labs(color) % 1000);
    }
}

void Loader::ReadBlocks()
{
    Entity header;
    while (NextRecord("BLOCK", header)) {
        Block block;
        block.base = header.Point(10);
        block.external = (header.Integer(70) & 4) != 0;
        ReadEntities(block.entities, "ENDBLK");
        std::string name = Upper(Trimmed(header.Text(2)));
        if (!name.empty())
            m_blocks[name] = std::move(block);
        Report();
    }
}

bool Loader::ReadEntity(const DxfGroup& start, Entity& entity)
{
    entity.type = Upper(Trimmed(start.value));
    entity.groups.clear();
    DxfGroup g;
    while (m_reader.Next(g)) {
        if (g.code == 0) {
            m_reader.PushBack(g);
            return true;
        }
        entity.groups.push_back(g);
    }
    return false;
}

void Loader::ReadEntities(std::vector<Entity>& out, const char* endMarker)
{
    DxfGroup g;
    size_t count = 0;
    while (m_reader.Next(g)) {
        if (g.code != 0)
            continue;
        std::string type = Upper(Trimmed(g.value));
        if (type == endMarker || type == "ENDSEC") {
            if (type == "ENDSEC" && std::string(endMarker) != "ENDSEC")
                m_reader.PushBack(g);
            else if (type == endMarker && type != "ENDSEC") {
                Entity end;
                ReadEntity(g, end);  // the end marker's own groups
            }
            return;
        }
        Entity e;
        bool more = ReadEntity(g, e);
        out.push_back(std::move(e));
        if (++count % 1024 == 0)
            Report();
        if (!more)
            return;
    }
}

bool Loader::Room(size_t points)
{
    if (m_drawing.truncated)
        return false;
    if (m_drawing.primitives.size() >= m_limits.primitives || m_drawing.pointCount + points > m_limits.points) {
        m_drawing.truncated = true;
        return false;
    }
    return true;
}

bool Loader::ColorOf(const Entity& e, const Context& context, uint32_t& color, std::string& layer) const
{
    if (e.Integer(67) == 1 || (e.Integer(60) & 1) != 0)
        return false;  // paper space, or invisible
    layer = Upper(Trimmed(e.Text(8)));
    if ((layer.empty() || layer == "0") && context.depth > 0)
        layer = context.layer;
    auto found = m_layers.find(layer);
    if (found != m_layers.end() && found->second.off)
        return false;
    const DxfGroup* trueColor = e.Find(420);
    long number = e.Integer(62, kByLayer);
    if (trueColor != nullptr)
        color = static_cast<uint32_t>(trueColor->Integer()) & 0xFFFFFF;
    else if (number == kByBlock)
        color = context.depth > 0 ? context.color : 0xFFFFFF;
    else if (number == kByLayer || number < 0)
        color = DxfColorNumberToRgb(found != m_layers.end() ? found->second.color : 7);
    else
        color = DxfColorNumberToRgb(static_cast<int>(number));
    return true;
}

void Loader::AddLine(std::vector<DxfPoint> points, bool closed, DxfPrimitive::Kind kind, uint32_t color,
    const Context& context)
{
    if (points.empty() || !Room(points.size()))
        return;
    DxfPrimitive p;
    p.kind = kind;
    p.color = color;
    p.closed = closed;
    p.points.reserve(points.size());
    for (const DxfPoint& point : points) {
        DxfPoint t = context.transform.Apply(point);
        if (!Sane(t))
            return;
        p.points.push_back(t);
    }
    m_drawing.pointCount += p.points.size();
    m_drawing.primitives.push_back(std::move(p));
}

void Loader::AddText(const Entity& e, std::string text, uint32_t color, const Context& context)
{
    if (text.empty() || !Room(1))
        return;
    DxfPoint at = e.Point(10);
    bool aligned = e.type != "MTEXT" && (e.Integer(72) != 0 || e.Integer(73) != 0) && e.Find(11) != nullptr;
    if (aligned)
        at = e.Point(11);
    double rotation = e.Number(50);
    if (e.type == "MTEXT" && e.Find(11) != nullptr && e.Find(50) == nullptr)
        rotation = std::atan2(e.Number(21), e.Number(11)) * 180.0 / 3.14159265358979323846;
    DxfPrimitive p;
    p.kind = DxfPrimitive::kText;
    p.color = color;
    p.points.push_back(context.transform.Apply(at));
    if (!Sane(p.points[0]))
        return;
    p.text = DecodeSpecials(text);
    p.height = std::fabs(e.Number(40, 1.0)) * context.transform.ScaleFactor();
    p.rotation = rotation + context.transform.RotationDegrees();
    if (!std::isfinite(p.height) || !std::isfinite(p.rotation) || p.height > kMaxCoordinate)
        return;
    m_drawing.pointCount += 1;
    m_drawing.primitives.push_back(std::move(p));
}

void Loader::Render(const std::vector<Entity>& entities, const Context& context)
{
    for (size_t i = 0; i < entities.size() && !m_drawing.truncated; ++i)
        RenderOne(entities, i, context);
}

void Loader::RenderOne(const std::vector<Entity>& entities, size_t& index, const Context& context)
{
    const Entity& e = entities[index];
    if (++m_drawing.visits > m_limits.visits) {
        m_drawing.truncated = true;
        return;
    }
    uint32_t color = 0;
    std::string layer;
    if (e.type == "POLYLINE") {
        RenderPolyline(entities, index, context);
        return;
    }
    if (!ColorOf(e, context, color, layer))
        return;
    std::vector<DxfPoint> pts;
    if (e.type == "LINE") {
        AddLine({e.Point(10), e.Point(11)}, false, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "CIRCLE") {
        AppendCircle(pts, e.Point(10), e.Number(40));
        AddLine(std::move(pts), true, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "ARC") {
        AppendArc(pts, e.Point(10), e.Number(40), e.Number(50), e.Number(51));
        AddLine(std::move(pts), false, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "ELLIPSE") {
        AppendEllipse(pts, e.Point(10), e.Point(11), e.Number(40, 1.0), e.Number(41), e.Number(42, 6.283185307179586));
        AddLine(std::move(pts), false, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "LWPOLYLINE") {
        std::vector<DxfPoint> vertices;
        std::vector<double> bulges;
        for (const DxfGroup& g : e.groups) {
            if (g.code == 10) {
                vertices.push_back({g.Number(), 0});
                bulges.push_back(0);
            } else if (g.code == 20 && !vertices.empty()) {
                vertices.back().y = g.Number();
            } else if (g.code == 42 && !bulges.empty()) {
                bulges.back() = g.Number();
            }
        }
        bool closed = (e.Integer(70) & 1) != 0;
        if (vertices.empty())
            return;
        pts.push_back(vertices[0]);
        for (size_t v = 0; v + 1 < vertices.size(); ++v)
            AppendBulge(pts, vertices[v], vertices[v + 1], bulges[v]);
        if (closed && vertices.size() > 1)
            AppendBulge(pts, vertices.back(), vertices[0], bulges.back());
        AddLine(std::move(pts), false, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "POINT") {
        AddLine({e.Point(10)}, false, DxfPrimitive::kPoint, color, context);
    } else if (e.type == "TEXT" || e.type == "ATTRIB") {
        if (e.type == "ATTRIB" && (e.Integer(70) & 1) != 0)
            return;
        AddText(e, e.Text(1), color, context);
    } else if (e.type == "MTEXT") {
        std::string text;
        for (const DxfGroup& g : e.groups)
            if (g.code == 3)
                text += g.value;
        text += e.Text(1);
        AddText(e, PlainMText(text), color, context);
    } else if (e.type == "SOLID" || e.type == "TRACE") {
        DxfPoint p2 = e.Point(12), p3 = e.Find(13) != nullptr ? e.Point(13) : e.Point(12);
        AddLine({e.Point(10), e.Point(11), p3, p2}, true, DxfPrimitive::kPolygon, color, context);
    } else if (e.type == "3DFACE") {
        DxfPoint p3 = e.Find(13) != nullptr ? e.Point(13) : e.Point(12);
        AddLine({e.Point(10), e.Point(11), e.Point(12), p3}, true, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "SPLINE") {
        std::vector<double> knots, weights;
        std::vector<DxfPoint> control, fit;
        for (const DxfGroup& g : e.groups) {
            if (control.size() + fit.size() + knots.size() > kMaxSplinePoints)
                break;
            if (g.code == 40)
                knots.push_back(g.Number());
            else if (g.code == 41)
                weights.push_back(g.Number());
            else if (g.code == 10)
                control.push_back({g.Number(), 0});
            else if (g.code == 20 && !control.empty())
                control.back().y = g.Number();
            else if (g.code == 11)
                fit.push_back({g.Number(), 0});
            else if (g.code == 21 && !fit.empty())
                fit.back().y = g.Number();
        }
        int degree = static_cast<int>(e.Integer(71, 3));
        if (!AppendSpline(pts, degree, knots, control, weights)) {
            pts.clear();
            pts = fit.empty() ? control : fit;
        }
        AddLine(std::move(pts), (e.Integer(70) & 1) != 0, DxfPrimitive::kPolyline, color, context);
    } else if (e.type == "INSERT" || e.type == "DIMENSION") {
        RenderInsert(e, context, color, layer);
    }
}

void Loader::RenderPolyline(const std::vector<Entity>& entities, size_t& index, const Context& context)
{
    const Entity& head = entities[index];
    std::vector<const Entity*> vertices;
    while (index + 1 < entities.size() && entities[index + 1].type == "VERTEX")
        vertices.push_back(&entities[++index]);
    if (index + 1 < entities.size() && entities[index + 1].type == "SEQEND")
        ++index;
    uint32_t color = 0;
    std::string layer;
    if (!ColorOf(head, context, color, layer))
        return;
    long flags = head.Integer(70);
    if ((flags & 64) != 0) {
        // A polyface mesh: vertices (flag 64) and faces (flag 128 without 64) naming them from 1.
        std::vector<DxfPoint> points;
        for (const Entity* v : vertices)
            if ((v->Integer(70) & 64) != 0)
                points.push_back(v->Point(10));
        for (const Entity* v : vertices) {
            long vflags = v->Integer(70);
            if ((vflags & 128) == 0 || (vflags & 64) != 0)
                continue;
            std::vector<DxfPoint> face;
            for (int code = 71; code <= 74; ++code) {
                long n = std::labs(v->Integer(code));
                if (n >= 1 && static_cast<size_t>(n) <= points.size())
                    face.push_back(points[n - 1]);
            }
            if (face.size() >= 2)
                AddLine(face, true, DxfPrimitive::kPolyline, color, context);
        }
        return;
    }
    std::vector<DxfPoint> points;
    std::vector<double> bulges;
    for (const Entity* v : vertices) {
        points.push_back(v->Point(10));
        bulges.push_back(v->Number(42));
    }
    if (points.empty())
        return;
    bool closed = (flags & 1) != 0;
    std::vector<DxfPoint> pts{points[0]};
    for (size_t v = 0; v + 1 < points.size(); ++v)
        AppendBulge(pts, points[v], points[v + 1], bulges[v]);
    if (closed && points.size() > 1)
        AppendBulge(pts, points.back(), points[0], bulges.back());
    AddLine(std::move(pts), false, DxfPrimitive::kPolyline, color, context);
}

void Loader::RenderInsert(const Entity& e, const Context& context, uint32_t color, const std::string& layer)
{
    if (context.depth >= kDxfMaxBlockDepth)
        return;
    auto found = m_blocks.find(Upper(Trimmed(e.Text(2))));
    if (found == m_blocks.end() || found->second.external)
        return;
    const Block& block = found->second;
    Context inner;
    inner.depth = context.depth + 1;
    inner.layer = layer;
    inner.color = color;
    if (e.type == "DIMENSION") {
        // The dimension's block is drawn where it was made.
        inner.transform = context.transform;
        Render(block.entities, inner);
        return;
    }
    long columns = std::max(1L, e.Integer(70, 1));
    long rows = std::max(1L, e.Integer(71, 1));
    if (columns > kMaxArrayCells || rows > kMaxArrayCells || columns * rows > kMaxArrayCells)
        return;
    double columnSpacing = e.Number(44), rowSpacing = e.Number(45);
    double sx = e.Number(41, 1.0), sy = e.Number(42, 1.0), rotation = e.Number(50);
    for (long r = 0; r < rows && !m_drawing.truncated; ++r) {
        for (long c = 0; c < columns && !m_drawing.truncated; ++c) {
            // Every cell is work, also when the block draws nothing.
            if (++m_drawing.visits > m_limits.visits) {
                m_drawing.truncated = true;
                return;
            }
            // The array steps along the inserted block's own axes.
            DxfTransform placement = DxfTransform::Translation(-block.base.x, -block.base.y)
                                         .Then(DxfTransform::Placement({0, 0}, sx, sy, 0))
                                         .Then(DxfTransform::Translation(c * columnSpacing, r * rowSpacing))
                                         .Then(DxfTransform::Placement(e.Point(10), 1, 1, rotation));
            inner.transform = placement.Then(context.transform);
            Render(block.entities, inner);
        }
    }
}

}  // namespace

void DxfExtents::Add(const DxfPoint& p)
{
    if (!valid) {
        min = max = p;
        valid = true;
        return;
    }
    min.x = std::min(min.x, p.x);
    min.y = std::min(min.y, p.y);
    max.x = std::max(max.x, p.x);
    max.y = std::max(max.y, p.y);
}

void DxfExtents::Merge(const DxfExtents& other)
{
    if (other.valid) {
        Add(other.min);
        Add(other.max);
    }
}

DxfExtents DxfDrawing::Extents() const
{
    DxfExtents extents;
    for (const DxfPrimitive& p : primitives) {
        if (p.kind != DxfPrimitive::kText) {
            for (const DxfPoint& point : p.points)
                extents.Add(point);
            continue;
        }
        // The text's box: about 0.6 of the height per character, one height per line.
        size_t longest = 0, lines = 1, run = 0;
        for (char c : p.text) {
            if (c == '\n') {
                ++lines;
                run = 0;
            } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                longest = std::max(longest, ++run);
            }
        }
        double width = 0.6 * p.height * static_cast<double>(longest);
        double height = p.height * static_cast<double>(lines);
        double r = p.rotation * 3.14159265358979323846 / 180.0;
        double cs = std::cos(r), sn = std::sin(r);
        const DxfPoint& o = p.points[0];
        const double corners[4][2] = {{0, 0}, {width, 0}, {0, height}, {width, height}};
        for (const auto& corner : corners)
            extents.Add(DxfPoint{o.x + corner[0] * cs - corner[1] * sn, o.y + corner[0] * sn + corner[1] * cs});
    }
    if (!extents.valid)
        return headerExtents;
    return extents;
}

DxfLoadResult LoadDxf(const uint8_t* data, size_t size, DxfDrawing& drawing, const std::function<void(int)>& progress,
    const DxfLimits& limits)
{
    drawing = DxfDrawing();
    if (data == nullptr || size == 0)
        return DxfLoadResult::kNotDxf;
    Loader loader(data, size, drawing, progress, limits);
    return loader.Load();
}

}  // namespace morvick
