#!/usr/bin/env python3
"""An independent model of the distribution, written from the rules alone, used to
check the program's result file and formula file on random buildings.

Usage: reference_distribution.py GRID.tsv DECIMAL INSULATION OUTDIR
GRID.tsv holds one property per line: name, total, openings, ventilation, area,
height, ext, unheated, heated, kind, pipes (numbers with '.' as point).
Writes OUTDIR/PYROSTAT.TMP and OUTDIR/~mirttype.txt the way the rules define them.
"""
import math
import struct
import sys


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


KIND = {
    "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.": (0.60, 0.50),
    "ΙΣΟΓΕΙΟ": (0.60, 0.50),
    "PILOTIS ΚΑΤΩ": (0.55, 0.45),
    "ΕΝΔΙΑΜΕΣΟ": (0.65, 0.55),
    "ΡΕΤΙΡΕ": (0.55, 0.45),
}
PIPE = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.": 0.06, "ΕΝΤΟΣ ΙΔΙΟΚΤ.": 0.01, "ΑΛΛΗ ΠΕΡΙΠΤ.": 0.03}


def area_factor(a):
    if a < f32(40):
        return f32(0.12)
    if a < f32(75):
        return f32(0.08)
    if a < f32(110):
        return f32(0.04)
    return f32(0.0)


def exposure_factor(r):
    if r <= f32(0.20):
        return f32(0.0)
    if r <= f32(0.35):
        return f32(0.05)
    if r <= f32(0.50):
        return f32(0.10)
    if r <= f32(0.65):
        return f32(0.15)
    return f32(0.20)


def round4(x):
    return math.floor(f32(x * 10000) + 0.5) / 10000


def fmt(x, dec):
    s = "%.4f" % x
    whole, frac = s.split('.')
    neg = whole.startswith('-')
    whole = whole.lstrip('-')
    group = ',' if dec == '.' else '.'
    parts = []
    while len(whole) > 3:
        parts.insert(0, whole[-3:])
        whole = whole[:-3]
    parts.insert(0, whole)
    return ('-' if neg else '') + group.join(parts) + dec + frac


def main():
    path, dec, insulation, out = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    rows = [line.rstrip('\n').split('\t') for line in open(path, encoding='utf-8') if line.strip()]
    recs = []
    for k, r in enumerate(rows, 1):
        name = r[0].strip()[:35]
        tot, op, ve, area, h, ext, un, he = (f32(round(float(v), 2)) for v in r[1:9])
        rec = dict(k=k, name=name, tot=tot, op=op, ve=ve, area=area, h=h)
        rec['vol'] = f32(area * h)
        rec['ext'], rec['un'], rec['he'] = ext, un, he
        rec['af'] = area_factor(area)
        exposed = f32(ext * h + un * h * 0.5)
        lateral = f32((ext + un + he) * h)
        rec['exposed'], rec['lateral'] = exposed, lateral
        rec['ratio'] = f32(exposed / lateral)
        rec['xf'] = exposure_factor(rec['ratio'])
        ins, noins = KIND[r[9]]
        rec['kf'] = f32(ins if insulation else noins)
        rec['pf'] = f32(PIPE[r[10]])
        recs.append(rec)
    T = W = V = f32(0)
    for r in recs:
        T = f32(T + r['tot'])
        W = f32(W + (r['ve'] + r['op']))
        V = f32(V + r['vol'])
    K = f32((T - W) / V)
    Q = f32(0)
    for r in recs:
        r['q'] = f32(r['vol'] * K + (r['ve'] + r['op']))
        Q = f32(Q + r['q'])
    for r in recs:
        r['e'] = f32(r['q'] / Q)
        r['exposed'] = f32(r['ext'] * r['h'] + r['un'] * r['h'] * 0.5)
        r['lateral'] = f32((r['ext'] + r['he'] + r['un']) * r['h'])
        r['ratio'] = f32(r['exposed'] / r['lateral'])
    S = f32(0)
    for r in recs:
        f = f32(r['kf'] - (r['pf'] + r['af'] + r['xf']))
        S = f32(S + f * r['e'])
    lines = ['ΓΕΝΙΚΟΣ ΤΥΠΟΣ :',
             'Πi(%) = [fi x ei + (1 - Σ(fi x ei) x (ei x Ωi)/Σ(ei x Ωi))] x 100']
    for r in recs:
        f = f32(r['kf'] - (r['pf'] + r['af'] + r['xf']))
        fe = f32(f * r['e'])
        E = fmt(f32(round4(r['e'])), dec)
        FE = fmt(round4(fe), dec)
        OMS = fmt(1 - round4(S), dec)
        lines.append('Π%d (%%) = [%s + (%s x %s x Ωρες_i) / (Σ(%s x Ωρες_i))] x 100'
                     % (r['k'], FE, OMS, E, E))
    with open(out + '/~mirttype.txt', 'wb') as fh:
        for line in lines:
            fh.write(b'"' + line.encode('cp1253') + b'"\r\n')
    with open(out + '/PYROSTAT.TMP', 'wb') as fh:
        for r in recs:
            b = struct.pack('<h', r['k'])
            b += r['name'].encode('cp1253').ljust(35, b' ')
            b += struct.pack('<18f', r['tot'], r['op'], r['ve'], r['area'], r['h'], r['vol'],
                             r['ext'], r['un'], r['he'], r['q'], r['e'], r['exposed'],
                             r['lateral'], r['ratio'], r['kf'], r['pf'], r['af'], r['xf'])
            b += b'\0' * 40
            assert len(b) == 149
            fh.write(b)


if __name__ == '__main__':
    main()
