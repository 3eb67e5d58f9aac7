#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the window's formula pictures (src/app/resources/*.svg) from a small layout of runs,
fractions and brackets, measured with DejaVu Serif's own advance widths.
Run: /usr/bin/python3 tools/formule/disegna.py src/app/resources   (needs python3-fonttools)"""
import sys
from fontTools.ttLib import TTFont

FONTS = {False: TTFont('/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf'),
         True: TTFont('/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf')}
TESTO = 12.0    # body text: 9 pt at 96 dpi
INDICE = 9.5    # subscripts and exponents
ALTO = 0.72     # cap height of the face, in em, to centre brackets and bars


def larghezza(testo, corsivo, corpo):
    font = FONTS[corsivo]
    cmap = font.getBestCmap()
    hmtx = font['hmtx']
    upm = font['head'].unitsPerEm
    return sum(hmtx[cmap[ord(c)]][0] for c in testo) * corpo / upm


class Box:
    """A laid-out piece: width, height above and depth below its baseline, and how to draw it."""
    def __init__(self, w, su, giu, disegna):
        self.w, self.su, self.giu, self.disegna = w, su, giu, disegna


def t(testo, corsivo=False, corpo=TESTO, alza=0.0):
    w = larghezza(testo, corsivo, corpo)
    stile = ' font-style="italic"' if corsivo else ''
    # SVG drops a text's leading and trailing spaces: they become an offset and the width
    nudo = testo.strip(' ')
    prima = larghezza(testo[:len(testo) - len(testo.lstrip(' '))], corsivo, corpo)
    esc = nudo.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')

    def d(x, y):
        if not nudo:
            return []
        return [f'  <text x="{x + prima:.1f}" y="{y - alza:.1f}" font-size="{corpo:g}"{stile}>{esc}</text>']
    return Box(w, corpo * ALTO + alza, max(0.0, corpo * 0.22 - alza), d)


def v(nome):
    return t(nome, True)


def sub(testo, corsivo=False):
    return t(testo, corsivo, INDICE, alza=-INDICE * 0.38)


def sup(testo):
    return t(testo, False, INDICE, alza=TESTO * 0.45)


def fila(*pezzi, spazio=0.0):
    pezzi = [p if isinstance(p, Box) else t(p) for p in pezzi]
    w = sum(p.w for p in pezzi) + spazio * max(0, len(pezzi) - 1)

    def d(x, y):
        out = []
        for p in pezzi:
            out += p.disegna(x, y)
            x += p.w + spazio
        return out
    return Box(w, max(p.su for p in pezzi), max(p.giu for p in pezzi), d)


def frazione(sopra, sotto, margine=2.0):
    w = max(sopra.w, sotto.w) + 2 * margine
    asse = TESTO * 0.32   # the bar sits at the height of a minus sign

    def d(x, y):
        out = sopra.disegna(x + (w - sopra.w) / 2, y - asse - 2.5 - sopra.giu)
        out += sotto.disegna(x + (w - sotto.w) / 2, y - asse + 2.5 + sotto.su)
        out.append(f'  <line x1="{x:.1f}" y1="{y - asse:.1f}" x2="{x + w:.1f}" y2="{y - asse:.1f}" '
                   'stroke="black" stroke-width="0.9"/>')
        return out
    return Box(w, asse + 2.5 + sopra.su + sopra.giu, sotto.su + sotto.giu + 2.5 - asse, d)


def parentesi(dentro, quadra=True):
    """Brackets as tall as what they hold."""
    def d(x, y):
        a, b = y - dentro.su - 1, y + dentro.giu + 1
        if quadra:
            s = f'M{x + 4:.1f},{a:.1f} H{x + 1:.1f} V{b:.1f} H{x + 4:.1f}'
            e = f'M{x + dentro.w + 6:.1f},{a:.1f} H{x + dentro.w + 9:.1f} V{b:.1f} H{x + dentro.w + 6:.1f}'
        else:
            m = (a + b) / 2
            s = f'M{x + 5:.1f},{a:.1f} Q{x + 0.5:.1f},{m:.1f} {x + 5:.1f},{b:.1f}'
            e = (f'M{x + dentro.w + 5:.1f},{a:.1f} Q{x + dentro.w + 9.5:.1f},{m:.1f} '
                 f'{x + dentro.w + 5:.1f},{b:.1f}')
        return ([f'  <path d="{s}" fill="none" stroke="black" stroke-width="1.0"/>']
                + dentro.disegna(x + 5, y)
                + [f'  <path d="{e}" fill="none" stroke="black" stroke-width="1.0"/>'])
    return Box(dentro.w + 10, dentro.su + 1, dentro.giu + 1, d)


def immagine(nome, commento, w, h, righe):
    """righe: (box, baseline y, 'sinistra' | 'centro' | x) for each line of the picture."""
    out = ['<?xml version="1.0" encoding="UTF-8"?>', f'<!-- {commento} -->',
           f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="{w}" '
           f'height="{h}" viewBox="0 0 {w} {h}">',
           ' <g font-family="DejaVu Serif" font-weight="normal" font-style="normal" fill="black">']
    for box, y, dove in righe:
        x = (w - box.w) / 2 if dove == 'centro' else (3.0 if dove == 'sinistra' else dove)
        if x < 0 or x + box.w > w + 0.01 or y - box.su < -0.5 or y + box.giu > h + 0.5:
            sys.exit(f'{nome}: una riga esce dal disegno ({x + box.w:.1f} su {w}, '
                     f'{y - box.su:.1f}..{y + box.giu:.1f} su {h})')
        out += box.disegna(x, y)
    out += [' </g>', '</svg>', '']
    return nome, '\n'.join(out)

DOT = '·'


def ec8():
    num = fila('3·(1 + ', v('Z'), '/', v('H'), ')')
    den = fila('1 + (1 − ', v('T'), sub('a'), '/', v('T'), sub('1'), ')', sup('2'))
    corpo = fila(frazione(num, den), ' − 0,5')
    riga = fila(v('S'), sub('a'), ' = ', v('α'), DOT, v('S'), DOT, parentesi(corpo))
    return immagine('image1.svg', 'S_a = alpha S [3 (1 + Z/H) / (1 + (1 - T_a/T_1)^2) - 0,5]',
                    235, 58, [(riga, 32, 'centro')])


def c7_2_11():
    num = fila(v('α'), DOT, v('S'), DOT, '(1 + ', v('Z'), '/', v('H'), ')', DOT, v('a'), sub('p'))
    # thin spaces round the operators, for the line to fit beside its lower bound
    den = fila('1 + ( ', v('a'), sub('p'), ' − 1)(1 − ', v('T'), sub('a'), '/(', v('c'), DOT, v('T'),
               sub('1'), ')', ')', sup('2'))
    riga1 = fila(v('S'), sub('a'), ' = ', frazione(num, den), ' ≥ ', v('α'), DOT, v('S'))
    riga2 = fila(v('c'), ' = ', v('a'), ' se ', v('T'), sub('a'), ' < ', v('a'), DOT, v('T'), sub('1'),
                 ',  ', v('b'), ' se ', v('T'), sub('a'), ' ≥ ', v('b'), DOT, v('T'), sub('1'))
    return immagine('image1_c7.svg',
                    'S_a = alpha S (1 + Z/H) a_p / [1 + (a_p - 1)(1 - T_a/(c T_1))^2] >= alpha S; '
                    'c = a below a T_1, b from b T_1, plateau between: said in the tooltip',
                    235, 58, [(riga1, 21, 'sinistra'), (riga2, 52, 'sinistra')])


def c7_2_5():
    den = fila('1 + (', v('A'), ' − 1)·|1 − ', v('T'), sub('a'), '/(', v('c'), DOT, v('T'), sub('k'), ')|',
               sup('e'))
    riga1 = fila(v('S'), sub('eZ'), ' = ', frazione(fila(v('A'), DOT, v('a'), sub('Z')), den))
    riga2 = fila(v('S'), sub('a'), ' = max(', v('S'), sub('eZ'), ', ', v('α'), DOT, v('S'), ')')
    return immagine('image1_c7_2_5.svg',
                    'S_eZ(T_a) = A a_Z / [1 + (A - 1)|1 - T_a/(c T_k)|^e]; S_a = max(S_eZ, alpha S); '
                    'c, e, a_Z, gamma_1 and A: said in the tooltip',
                    235, 58, [(riga1, 21, 'sinistra'), (riga2, 52, 'sinistra')])


def resistenza():
    riga = fila(v('F'), sub('lat,d'), ' = ', v('q'), sub('lat,d'), DOT, v('B'), DOT, v('L'), DOT,
                v('K'), sub('1'), DOT, v('K'), sub('2'), ' =')
    return immagine('image3.svg', 'F_lat,d = q_lat,d B L K1 K2 =', 193, 29, [(riga, 18, 'sinistra')])


def resistenza_mensola():
    riga = fila(v('R'), sub('lat'), ' = 2', DOT, v('M'), sub('Rd'), '/', v('L'))
    uguale = t('=')
    return immagine('image3_mensola.svg', 'R_lat = 2 M_Rd / L =', 193, 29,
                    [(riga, 18, 'sinistra'), (uguale, 18, 193 - uguale.w - 3)])


def momento_mensola():
    meno = fila('1 − ', frazione(fila(v('σ'), sub('0')), fila('0,85', DOT, v('f'), sub('d')), 1.0))
    riga1 = fila(v('M'), sub('Rd'), ' = ', v('N'), DOT, frazione(v('t'), t('2'), 1.0), DOT,
                 parentesi(meno, quadra=False))
    riga2 = fila(v('N'), ' = ', v('W'), ',  ', v('σ'), sub('0'), ' = ', v('N'), '/(', v('B'), DOT,
                 v('t'), ')')
    return immagine('image4_mensola.svg', 'M_Rd = N t/2 (1 - sigma_0 / (0,85 f_d)), N = W', 152, 70,
                    [(riga1, 24, 1.5), (riga2, 60, 1.5)])


if __name__ == '__main__':
    cartella = sys.argv[1] if len(sys.argv) > 1 else '.'
    for nome, testo in (ec8(), c7_2_11(), c7_2_5(), resistenza(), resistenza_mensola(),
                         momento_mensola()):
        with open(f'{cartella}/{nome}', 'w', encoding='utf-8') as f:
            f.write(testo)
        print(nome)
