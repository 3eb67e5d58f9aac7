#!/usr/bin/env python3
# Worked values of the validation cases, from the formulas of the user manual only: reads each
# case's job folder and batch row, the hazard grid and the islands' table, writes every step.
import csv
import math
import os
import sys

PERIODI = [30, 50, 72, 101, 140, 201, 475, 975, 2475]
G_CM = 981.0

# Work units: factor from one work unit to the base units (cm, daN, daN/cm3, daN/cm2).
def fattori(unita, g):
    kgf = g / 10.0  # daN
    lung = {"cm": 1.0, "m": 100.0, "mm": 0.1}
    forze = {"daN": 1.0, "N": 0.1, "kN": 100.0, "kgf": kgf, "t": 1000.0 * kgf}
    pesi = {"daN/cm3": 1.0, "daN/m3": 1e-6, "N/m3": 1e-7, "kN/m3": 1e-4,
            "kgf/m3": kgf * 1e-6, "t/m3": 1000.0 * kgf * 1e-6}
    tens = {"daN/cm2": 1.0, "daN/mm2": 100.0, "N/mm2": 10.0, "kgf/cm2": kgf,
            "KPa": 0.01, "MPa": 10.0}
    return (lung[unita["lunghezze"]], forze[unita["forze"]], pesi[unita["pesi_specifici"]],
            tens[unita["tensioni"]])


def leggi_parametri(cartella):
    unita, g = {}, None
    with open(os.path.join(cartella, "parametrilavoro"), encoding="cp1252") as f:
        for riga in f.read().splitlines()[1:]:
            if "[" not in riga or "[commento" in riga:
                continue
            valore, chiave = riga.split("[", 1)
            chiave = chiave.split("]")[0]
            valore = valore.strip()
            if chiave == "accelerazione_g":
                g = float(valore)
            else:
                unita[chiave] = valore.replace("&", "/").replace("8", "/")
    return unita, g


def leggi_griglia(percorso):
    punti = []
    with open(percorso) as f:
        next(f)
        for riga in f:
            v = riga.split()
            if len(v) == 30:
                punti.append((int(v[0]), float(v[1]), float(v[2]), [float(x) for x in v[3:]]))
    return punti


def leggi_isole(percorso):
    gruppi, zone, corrente = {}, [], None
    with open(percorso) as f:
        for riga in f:
            if riga.startswith("#") or not riga.strip():
                continue
            v = riga.split()
            if v[0] == "group":
                corrente = v[1]
                gruppi[corrente] = {}
            elif v[0] in ("ag", "F0", "Tc"):
                gruppi[corrente][v[0]] = [float(x) for x in v[1:]]
            elif v[0] == "box":
                zone.append(("box", v[1], [float(x) for x in v[2:6]], " ".join(v[6:])))
            elif v[0] == "circle":
                zone.append(("circle", v[1], [float(x) for x in v[2:5]], " ".join(v[5:])))
    return gruppi, zone


def distanza(lat1, lon1, lat2, lon2):
    p1, p2, dl = math.radians(lat1), math.radians(lat2), math.radians(lon2 - lon1)
    c = math.cos(p1) * math.cos(p2) * math.cos(dl) + math.sin(p1) * math.sin(p2)
    return 6371.0 * math.acos(max(-1.0, min(1.0, c)))


def maglia(punti, lat, lon):
    """The four grid points around the site: the grid rows just below and above it (a row's
    latitudes differ by a few thousandths of a degree, rows are 0.05 degrees apart), and in each
    row the points just west and east of it; only the points within 0.15 degrees count."""
    vicini = [p for p in punti if abs(p[1] - lon) < 0.15 and abs(p[2] - lat) < 0.15]
    if not vicini:
        return None
    righe, corrente = [], []
    for p in sorted(vicini, key=lambda p: p[2]):
        if corrente and p[2] - corrente[-1][2] > 0.01:
            righe.append(corrente)
            corrente = []
        corrente.append(p)
    righe.append(corrente)
    media = lambda fila: sum(p[2] for p in fila) / len(fila)
    sotto = max((f for f in righe if media(f) <= lat), key=media, default=None)
    sopra = min((f for f in righe if media(f) > lat), key=media, default=None)
    if sotto is None or sopra is None:
        return None
    nodi = []
    for fila in (sotto, sopra):
        ovest = max((p for p in fila if p[1] <= lon), key=lambda p: p[1], default=None)
        est = min((p for p in fila if p[1] > lon), key=lambda p: p[1], default=None)
        if ovest is None or est is None or est[1] - ovest[1] > 0.1:
            return None
        nodi += [ovest, est]
    return nodi  # SW, SE, NW, NE


def zona_isola(zone, lat, lon):
    for tipo, gruppo, v, nome in zone:
        if tipo == "box" and v[0] <= lat <= v[1] and v[2] <= lon <= v[3]:
            return gruppo, nome
        if tipo == "circle" and distanza(lat, lon, v[0], v[1]) <= v[2]:
            return gruppo, nome
    return None


def interp_log(tr, tr1, tr2, p1, p2):
    if tr1 == tr2:
        return p1
    return math.exp(math.log(p1) + math.log(p2 / p1) * math.log(tr / tr1) / math.log(tr2 / tr1))


def ss_di(suolo, f0, ag):
    tab = {"A": (1.0, 0.0, 1.0, 1.0), "B": (1.40, 0.40, 1.00, 1.20), "C": (1.70, 0.60, 1.00, 1.50),
           "D": (2.40, 1.50, 0.90, 1.80), "E": (2.00, 1.10, 1.00, 1.60)}
    c0, c1, lo, hi = tab[suolo]
    grezzo = c0 - c1 * f0 * ag
    return grezzo, min(hi, max(lo, grezzo))


def lunghezza_arco(x0, y0):
    if y0 <= 0.0:
        return x0
    k = 2.0 * y0 / (x0 * x0)
    r = math.sqrt((k * x0) ** 2 + 1.0)
    return math.log(k * x0 + r) / (2.0 * k) + r * x0 / 2.0


def arco(la, t, E, fd):
    a, h = la / 2.0, 0.9 * t
    l0 = lunghezza_arco(a, h)
    sigma = lambda f: (1.0 - lunghezza_arco(a, h - f) / l0) * E
    q = lambda f: sigma(f) * (h - f) ** 2 / (3.24 * a * a)
    # Golden-section search of the maximum of q on [0, h], to 1e-12 cm.
    r = (math.sqrt(5.0) - 1.0) / 2.0
    x0, x1 = 0.0, h
    while x1 - x0 > 1e-12:
        c, d = x1 - r * (x1 - x0), x0 + r * (x1 - x0)
        if q(c) < q(d):
            x0 = c
        else:
            x1 = d
    fcrit = (x0 + x1) / 2.0
    qcrit, scrit = q(fcrit), sigma(fcrit)
    if scrit < fd:
        return dict(a=a, h=h, l0=l0, fcrit=fcrit, qcrit=qcrit, scrit=scrit, f=fcrit, qd=qcrit,
                    K2=scrit / fd, rif=(t / la) ** 2 * scrit, governa="instabilità")
    # Bisection of sigma(f) = fd on [0, fcrit].
    x0, x1 = 0.0, fcrit
    for _ in range(200):
        m = (x0 + x1) / 2.0
        if sigma(m) < fd:
            x0 = m
        else:
            x1 = m
    f = (x0 + x1) / 2.0
    return dict(a=a, h=h, l0=l0, fcrit=fcrit, qcrit=qcrit, scrit=scrit, f=f, qd=q(f), K2=1.0,
                rif=(t / la) ** 2 * fd, governa="resistenza")


def calcola(riga, unita, g, punti, gruppi, zone):
    """Every intermediate value of one case, in base units, with the site's source."""
    v = {}
    lat, lon = float(riga["lat"]), float(riga["lon"])
    VN, Cu, PVR = float(riga["VN"]), float(riga["Cu"]), float(riga["PVR"])
    # NTC 2018 2.4.3: the reference period is never below 35 years.
    v["VR"] = max(VN * Cu, 35.0)
    v["TR_grezzo"] = -v["VR"] / math.log(1.0 - PVR / 100.0)
    TR = min(2475, max(30, int(math.floor(v["TR_grezzo"] + 0.5))))
    v["TR"] = TR
    i1 = max(i for i, p in enumerate(PERIODI) if p <= TR)
    i2 = i1 if PERIODI[i1] == TR else i1 + 1
    v["TR1"], v["TR2"] = PERIODI[i1], PERIODI[i2]
    nodi = maglia(punti, lat, lon)
    if nodi is not None:
        v["fonte"] = "griglia"
        v["nodi"] = [(n[0], n[1], n[2], distanza(lat, lon, n[2], n[1])) for n in nodi]
        pesi = [1.0 / n[3] for n in v["nodi"]]
        idw = lambda col: sum(w * n[3][col] for w, n in zip(pesi, nodi)) / sum(pesi)
        ag1, ag2 = idw(3 * i1) / 10.0, idw(3 * i2) / 10.0
        F01, F02 = idw(3 * i1 + 1), idw(3 * i2 + 1)
    else:
        gruppo, nome = zona_isola(zone, lat, lon)
        v["fonte"] = gruppo + " " + nome
        v["nodi"] = []
        ag1, ag2 = gruppi[gruppo]["ag"][i1] / 10.0, gruppi[gruppo]["ag"][i2] / 10.0
        F01, F02 = gruppi[gruppo]["F0"][i1], gruppi[gruppo]["F0"][i2]
    v.update(ag1=ag1, ag2=ag2, F01=F01, F02=F02)
    v["ag"] = interp_log(TR, v["TR1"], v["TR2"], ag1, ag2)
    v["F0"] = interp_log(TR, v["TR1"], v["TR2"], F01, F02)
    v["Ss_grezzo"], v["Ss"] = ss_di(riga["suolo"].strip().upper(), v["F0"], v["ag"])
    St = float(riga["St"])
    v["St"] = St if St > 0 else 1.0
    v["S"] = v["Ss"] * v["St"]

    fl, ff, fp, fs = fattori(unita, g)
    B, L, t = float(riga["B"]) * fl, float(riga["L"]) * fl, float(riga["t"]) * fl
    gam, fd, E = float(riga["gamma"]) * fp, float(riga["fd"]) * fs, float(riga["E"]) * fs
    Z, H = float(riga["Z"]) * fl, float(riga["H"]) * fl
    qa, T1 = float(riga["qa"]), float(riga["T1"])
    top, sx, dx = int(riga["top"]), int(riga["left"]), int(riga["right"])
    v["W"] = L * B * t * gam
    if top and sx and dx:
        if B > L:
            qo = round(9.151 * math.exp(-2.907 * B / L), 4)
            qv = 1.0 - qo
        else:
            qv = round(9.151 * math.exp(-2.907 * L / B), 4)
            qo = 1.0 - qv
    elif top and (sx != dx):
        qv, qo = round(max(0.0, (B - 2 * t) / B), 4), 0.0
    elif not top and sx and dx:
        qv, qo = 0.0, round(max(0.0, (L - 2 * t) / L), 4)
    else:
        qv, qo = 1.0, 0.0
    v["qv"], v["qo"] = qv, qo
    orizz = B * B * qo > L * L * qv
    v["span"] = "B" if orizz else "L"
    la, b, quota = (B, L, qo) if orizz else (L, B, qv)
    v["la"], v["b"], v["quota"] = la, b, quota
    v["Wa"] = quota * v["W"]
    v["J"] = t ** 3 * b / 12.0
    # The manual's 1,5708 is pi/2 written to five digits; the exact value is used here.
    v["Ta"] = math.sqrt(la ** 3 * quota * v["W"] / (E * v["J"] * G_CM)) / (math.pi / 2.0)
    alfaS = v["ag"] * v["S"]
    v["aS"] = alfaS
    if riga["domanda"].strip().upper() == "C7.2.11":
        if T1 < 0.5:
            a_, b_, ap = 0.8, 1.4, 5.0
        elif T1 <= 1.0:
            a_, b_, ap = 0.3, 1.2, 4.0
        else:
            a_, b_, ap = 0.3, 1.0, 2.5
        v.update(c7a=a_, c7b=b_, ap=ap)
        base = alfaS * (1 + Z / H) * ap
        if v["Ta"] < a_ * T1:
            v["tratto"], v["den"] = 1, 1 + (ap - 1) * (1 - v["Ta"] / (a_ * T1)) ** 2
        elif v["Ta"] < b_ * T1:
            v["tratto"], v["den"] = 2, 1.0
        else:
            v["tratto"], v["den"] = 3, 1 + (ap - 1) * (1 - v["Ta"] / (b_ * T1)) ** 2
        v["Sa_formula"] = base / v["den"]
    else:
        v["fattore"] = 3 * (1 + Z / H) / (1 + (1 - v["Ta"] / T1) ** 2) - 0.5
        v["Sa_formula"] = alfaS * v["fattore"]
    v["Sa"] = max(v["Sa_formula"], alfaS)
    v["Fa"] = v["Sa"] * v["Wa"] / qa
    ar = arco(la, t, E, fd)
    v["arco"] = ar
    v["qd"], v["K2"], v["K1"] = ar["qd"], ar["K2"], ar["qd"] / ar["rif"]
    v["Rlat"] = ar["qd"] * B * L
    v["d_mm"] = 10.0 * ar["f"]
    v["sigma_crit"] = ar["scrit"]
    v["verdict"] = "> Fa : OK" if v["Rlat"] >= v["Fa"] else "< Fa : !!!"
    # Work-unit values, as the program shows them.
    v["W_u"], v["Wa_u"], v["Fa_u"], v["Rlat_u"] = (v["W"] / ff, v["Wa"] / ff, v["Fa"] / ff,
                                                   v["Rlat"] / ff)
    v["sigma_u"], v["qd_u"] = v["sigma_crit"] / fs, v["qd"] / fs
    v["fattori"] = (fl, ff, fp, fs)
    return v


def cifre(x, significative):
    """Decimals that give a value the wanted significant digits (at least none)."""
    if x == 0:
        return significative - 1
    return max(0, significative - 1 - int(math.floor(math.log10(abs(x)))))


def attesi_di(v):
    """The worked values the program is compared with, as printed: (name, text)."""
    righe = []
    for i, n in enumerate(v["nodi"]):
        righe += [(f"nodo{i + 1}_codice", str(n[0])), (f"nodo{i + 1}_km", f"{n[3]:.3f}")]
    righe += [("fonte", v["fonte"]), ("VR", f"{v['VR']:.0f}"), ("TR", str(v["TR"])),
              ("ag", f"{v['ag']:.5f}"), ("F0", f"{v['F0']:.4f}"), ("Ss", f"{v['Ss']:.4f}"),
              ("S", f"{v['S']:.4f}"), ("quota_v", f"{v['qv']:.4f}"),
              ("quota_o", f"{v['qo']:.4f}"), ("span", v["span"])]
    # The arch's root is found by the program to about 1e-6 cm: Rlat and qd to five digits.
    for nome, n in (("W", 6), ("Wa", 6), ("Fa", 6), ("Rlat", 5)):
        x = v[nome + "_u"]
        righe.append((nome, f"{x:.{cifre(x, n)}f}"))
    # Where the arch's instability governs, f_crit, sigma_crit and what follows from them are
    # known to the program's search interval (0.01 cm): fewer digits.
    inst = v["K2"] < 1.0
    righe += [("Ta", f"{v['Ta']:.5f}"), ("Sa", f"{v['Sa']:.5f}"),
              ("K1", f"{v['K1']:.{3 if inst else 4}f}"), ("K2", f"{v['K2']:.{3 if inst else 4}f}"),
              ("d_mm", f"{v['d_mm']:.{1 if inst else 3}f}"),
              ("fe", f"{v['sigma_u']:.{cifre(v['sigma_u'], 3)}f}"),
              ("qd", f"{v['qd_u']:.{cifre(v['qd_u'], 4)}f}"), ("verdict", v["verdict"])]
    return righe


def main():
    casi = sys.argv[1] if len(sys.argv) > 1 else "docs/validazione"
    dati = sys.argv[2] if len(sys.argv) > 2 else "../shared/data"
    punti = leggi_griglia(os.path.join(dati, "hazard_grid_ntc2008.txt"))
    gruppi, zone = leggi_isole(os.path.join(dati, "islands_ntc2008.txt"))
    cartella = os.path.join(casi, "lavori")
    uscita = [("caso", "grandezza", "valore")]
    for caso in sorted(os.listdir(cartella)):
        unita, g = leggi_parametri(os.path.join(cartella, caso))
        with open(os.path.join(cartella, caso, "riga.csv"), newline="") as f:
            riga = next(csv.DictReader(f))
        v = calcola(riga, unita, g, punti, gruppi, zone)
        uscita += [(caso, n, t) for n, t in attesi_di(v)]
    with open(os.path.join(casi, "attesi.csv"), "w", newline="") as f:
        csv.writer(f, lineterminator="\n").writerows(uscita)


if __name__ == "__main__":
    main()
