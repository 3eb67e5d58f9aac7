#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
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
    """The grid cell that contains the site (NTC 2008, Allegato A, A.1): the cells are the
    lattice squares NW c, NE c+1, SW c+222, SE c+223 of the grid's codes; a site on a shared
    edge or node takes the cell of lowest NW code. The test is made in a plane where a degree
    of longitude counts cos(latitude) of a degree of latitude."""
    per_codice = {p[0]: p for p in punti}
    k = math.cos(math.radians(lat))
    piano = lambda p: ((p[1] - lon) * k, p[2] - lat)
    for c in sorted(per_codice):
        nw = per_codice[c]
        if abs(nw[1] - lon) > 0.2 or abs(nw[2] - lat) > 0.2:
            continue
        vertici = [per_codice.get(c + d) for d in (0, 1, 223, 222)]  # NW, NE, SE, SW
        if None in vertici:
            continue
        xy = [piano(v) for v in vertici]
        # The site (the origin) is inside or on the edge when it lies on the same side of every
        # edge of the convex quadrilateral (cross products of one sign or zero).
        segni = [(x1 * y2 - x2 * y1) for (x1, y1), (x2, y2) in zip(xy, xy[1:] + xy[:1])]
        if all(s_ <= 0 for s_ in segni) or all(s_ >= 0 for s_ in segni):
            return [vertici[3], vertici[2], vertici[0], vertici[1]]  # SW, SE, NW, NE
    return None


def distanze_lati(nodi, lat, lon):
    """Distance in metres from the site to each side of its cell (SW, SE, NW, NE nodes), in the
    plane of the containing test: {"sud": ..., "est": ..., "nord": ..., "ovest": ...}."""
    k = math.cos(math.radians(lat))
    xy = [((n[1] - lon) * k, n[2] - lat) for n in nodi]
    fuori = {}
    for nome, (i, j) in (("sud", (0, 1)), ("est", (1, 3)), ("nord", (3, 2)), ("ovest", (2, 0))):
        (ax, ay), (bx, by) = xy[i], xy[j]
        fuori[nome] = (abs(ax * by - ay * bx) / math.hypot(bx - ax, by - ay) * math.pi / 180.0
                       * 6371000.0)
    return fuori


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


CC = {"A": (1.0, 0.0), "B": (1.10, -0.20), "C": (1.05, -0.33), "D": (1.25, -0.50),
      "E": (1.15, -0.40)}


def spettro(T, ag, F0, Tc_stella, S, suolo, xi):
    """Elastic spectrum Se(T, xi)/g of NTC 2018 3.2.3.2.1, xi in per cent."""
    c, e = CC[suolo]
    TC = c * Tc_stella ** e * Tc_stella  # TC = Cc Tc*, Cc of Tab. 3.2.IV
    TB, TD = TC / 3.0, 4.0 * ag + 1.6
    eta = max(0.55, math.sqrt(10.0 / (5.0 + xi)))
    piano = ag * S * eta * F0
    if T < TB:
        return piano * (T / TB + (1.0 - T / TB) / (eta * F0))
    if T < TC:
        return piano
    if T < TD:
        return piano * TC / T
    return piano * TC * TD / (T * T)


def periodi_spettro(ag, Tc_stella, suolo):
    c, e = CC[suolo]
    TC = c * Tc_stella ** e * Tc_stella  # TC = Cc Tc*, Cc of Tab. 3.2.IV
    return TC / 3.0, TC, 4.0 * ag + 1.6


def grado(testo):
    """A coordinate in decimal degrees or in degrees, minutes and seconds (42°47'28" N or
    42 47 28), as the user manual describes it."""
    pulito = testo.strip().rstrip("NEne").strip()
    for segno in "°'\"":
        pulito = pulito.replace(segno, " ")
    parti = [float(x) for x in pulito.split()]
    return sum(x / 60.0 ** i for i, x in enumerate(parti))


def wgs84_a_ed50(lat, lon):
    """WGS84 to ED50 by the inverse of EPSG:1133 (geocentric translation -87, -98, -121 m from
    ED50 to WGS84), the point taken on the WGS84 ellipsoid (h = 0)."""
    def geocentriche(lat, lon, a, f):
        e2 = f * (2.0 - f)
        p, l = math.radians(lat), math.radians(lon)
        N = a / math.sqrt(1.0 - e2 * math.sin(p) ** 2)
        return (N * math.cos(p) * math.cos(l), N * math.cos(p) * math.sin(l),
                N * (1.0 - e2) * math.sin(p))
    X, Y, Z = geocentriche(lat, lon, 6378137.0, 1.0 / 298.257223563)
    passi = [(X, Y, Z)]
    X, Y, Z = X + 87.0, Y + 98.0, Z + 121.0
    passi.append((X, Y, Z))
    a, f = 6378388.0, 1.0 / 297.0
    e2 = f * (2.0 - f)
    p = math.hypot(X, Y)
    fi = math.atan2(Z, p * (1.0 - e2))
    for _ in range(50):  # fixed-point iteration of the latitude, to well below 1e-12 rad
        N = a / math.sqrt(1.0 - e2 * math.sin(fi) ** 2)
        h = p / math.cos(fi) - N
        fi = math.atan2(Z, p * (1.0 - e2 * N / (N + h)))
    return math.degrees(fi), math.degrees(math.atan2(Y, X)), passi


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


def sito(riga, PVR, punti, gruppi, zone):
    """The site's hazard for one probability of exceedance PVR (per cent): VR, TR, the grid cell
    or the island, ag, F0, Tc*, Ss, St and S."""
    v = {}
    v["lat_scritta"], v["lon_scritta"] = grado(riga["lat"]), grado(riga["lon"])
    lat, lon = v["lat_scritta"], v["lon_scritta"]
    v["gms"] = len((riga["lat"] + " " + riga["lon"]).split()) > 2 or "°" in riga["lat"]
    v["datum"] = (riga.get("datum") or "ED50").strip().upper()
    if v["datum"] == "WGS84":
        lat, lon, v["geocentriche"] = wgs84_a_ed50(lat, lon)
    v["lat"], v["lon"] = lat, lon
    VN, Cu = float(riga["VN"]), float(riga["Cu"])
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
        v["fuori_m"] = None
        v["nodi"] = [(n[0], n[1], n[2], distanza(lat, lon, n[2], n[1])) for n in nodi]
        pesi = [1.0 / n[3] for n in v["nodi"]]
        idw = lambda col: sum(w * n[3][col] for w, n in zip(pesi, nodi)) / sum(pesi)
        ag1, ag2 = idw(3 * i1) / 10.0, idw(3 * i2) / 10.0
        F01, F02 = idw(3 * i1 + 1), idw(3 * i2 + 1)
        Tc1, Tc2 = idw(3 * i1 + 2), idw(3 * i2 + 2)
    else:
        zona = zona_isola(zone, lat, lon)
        if zona is None:
            raise SystemExit(f"{riga['id']}: il sito non sta in una maglia né in un'isola")
        gruppo, nome = zona
        v["fonte"] = gruppo + " " + nome
        v["nodi"] = []
        ag1, ag2 = gruppi[gruppo]["ag"][i1] / 10.0, gruppi[gruppo]["ag"][i2] / 10.0
        F01, F02 = gruppi[gruppo]["F0"][i1], gruppi[gruppo]["F0"][i2]
        Tc1, Tc2 = gruppi[gruppo]["Tc"][i1], gruppi[gruppo]["Tc"][i2]
    v.update(ag1=ag1, ag2=ag2, F01=F01, F02=F02)
    v["ag"] = interp_log(TR, v["TR1"], v["TR2"], ag1, ag2)
    v["F0"] = interp_log(TR, v["TR1"], v["TR2"], F01, F02)
    v.update(Tc1=Tc1, Tc2=Tc2, Tc=interp_log(TR, v["TR1"], v["TR2"], Tc1, Tc2))
    v["Ss_grezzo"], v["Ss"] = ss_di(riga["suolo"].strip().upper(), v["F0"], v["ag"])
    St = float(riga["St"])
    v["St"] = St if St > 0 else 1.0
    v["S"] = v["Ss"] * v["St"]
    return v


def calcola(riga, unita, g, punti, gruppi, zone):
    """Every intermediate value of one case, in base units, with the site's source."""
    v = sito(riga, float(riga["PVR"]), punti, gruppi, zone)
    fl, ff, fp, fs = fattori(unita, g)
    B, L, t = float(riga["B"]) * fl, float(riga["L"]) * fl, float(riga["t"]) * fl
    gam, fd, E = float(riga["gamma"]) * fp, float(riga["fd"]) * fs, float(riga["E"]) * fs
    Z, H = float(riga["Z"]) * fl, float(riga["H"]) * fl
    qa, T1 = float(riga["qa"]), float(riga["T1"])
    top, sx, dx = int(riga["top"]), int(riga["left"]), int(riga["right"])
    v["W"] = L * B * t * gam
    mensola = not (top or sx or dx)
    v["mensola"] = mensola
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
    v["span"] = "mensola" if mensola else "B" if orizz else "L"
    la, b, quota = (B, L, qo) if orizz else (L, B, qv)
    v["la"], v["b"], v["quota"] = la, b, quota
    v["Wa"] = quota * v["W"]
    if mensola:
        # Cantilever fixed at the base: first root of cos(x) cosh(x) = -1 at full precision.
        v["J"] = B * t ** 3 / 12.0
        v["m"] = gam * t * B / G_CM
        v["Ta"] = 2.0 * math.pi / 1.8751040687119611 ** 2 * L * L * math.sqrt(v["m"] /
                                                                               (E * v["J"]))
    else:
        v["J"] = t ** 3 * b / 12.0
        # The manual's 1,5708 is pi/2 written to five digits; the exact value is used here.
        v["Ta"] = math.sqrt(la ** 3 * quota * v["W"] / (E * v["J"] * G_CM)) / (math.pi / 2.0)
    alfaS = v["ag"] * v["S"]
    v["aS"] = alfaS
    domanda = riga["domanda"].strip().upper()
    v["domanda"] = domanda
    if domanda == "C7.2.11":
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
    elif domanda == "C7.2.5":
        suolo = riga["suolo"].strip().upper()
        npiani = int(riga.get("n") or 3)
        xi = float(riga.get("xi") or 5)
        Tk = float(riga["Tk"]) if riga.get("Tk") else T1
        v.update(npiani=npiani, xi=xi, Tk=Tk, Tk_dato=bool(riga.get("Tk")))
        v["TB"], v["TC"], v["TD"] = periodi_spettro(v["ag"], v["Tc"], suolo)
        v["eta_k"] = max(0.55, math.sqrt(10.0 / (5.0 + xi)))
        v["Se_k"] = spettro(Tk, v["ag"], v["F0"], v["Tc"], v["S"], suolo, xi)
        v["gamma1"] = 3.0 * npiani / (2.0 * npiani + 1.0)
        v["radice"] = math.sqrt(1.0 + 0.0004 * xi * xi)
        v["aZ"] = v["Se_k"] * v["gamma1"] * (Z / H) * v["radice"]
        # Damping as a ratio in A (5 % = 0.05), as the user manual reads the Circolare.
        v["A"] = 1.1 * (xi / 100.0) ** -0.5
        A, aZ, Ta = v["A"], v["aZ"], v["Ta"]
        if Ta < 0.8 * Tk:
            v["tratto"], v["den"] = 1, 1 + (A - 1) * (1 - Ta / (0.8 * Tk)) ** 1.6
        elif Ta < 1.1 * Tk:
            v["tratto"], v["den"] = 2, 1.0
        else:
            v["tratto"], v["den"] = 3, 1 + (A - 1) * (Ta / (1.1 * Tk) - 1) ** 1.2
        v["SeZ"] = A * aZ / v["den"]
        v["Se_a"] = spettro(Ta, v["ag"], v["F0"], v["Tc"], v["S"], suolo, 5.0) if Ta > Tk else None
        v["Sa_formula"] = max(v["SeZ"], v["Se_a"]) if v["Se_a"] is not None else v["SeZ"]
    else:
        v["fattore"] = 3 * (1 + Z / H) / (1 + (1 - v["Ta"] / T1) ** 2) - 0.5
        v["Sa_formula"] = alfaS * v["fattore"]
    v["Sa"] = max(v["Sa_formula"], alfaS)
    v["Fa"] = v["Sa"] * v["Wa"] / qa
    v["errore"] = None
    if mensola:
        # Overturning about the base edge, compressed zone at 0.85 fd (NTC 2018 7.8.2.2.3).
        v["N"] = v["W"]
        v["sigma0"] = v["N"] / (B * t)
        v["fd"] = fd
        if v["sigma0"] >= 0.85 * fd:
            v["errore"] = "sigma0"
            v["Rlat"] = None
        else:
            v["MRd"] = v["N"] * t / 2.0 * (1.0 - v["sigma0"] / (0.85 * fd))
            v["Rlat"] = 2.0 * v["MRd"] / L
        v["arco"] = None
        v["qd"] = v["K2"] = v["K1"] = v["d_mm"] = v["sigma_crit"] = None
    else:
        ar = arco(la, t, E, fd)
        v["arco"] = ar
        v["qd"], v["K2"], v["K1"] = ar["qd"], ar["K2"], ar["qd"] / ar["rif"]
        v["Rlat"] = ar["qd"] * B * L
        v["d_mm"] = 10.0 * ar["f"]
        v["sigma_crit"] = ar["scrit"]
    if v["Rlat"] is not None:
        v["verdict"] = "> Fa : OK" if v["Rlat"] >= v["Fa"] else "< Fa : !!!"
    else:
        v["verdict"] = None
    # Work-unit values, as the program shows them.
    per = lambda x, f: None if x is None else x / f
    v["W_u"], v["Wa_u"], v["Fa_u"], v["Rlat_u"] = (v["W"] / ff, v["Wa"] / ff, v["Fa"] / ff,
                                                   per(v["Rlat"], ff))
    v["sigma_u"], v["qd_u"] = per(v["sigma_crit"], fs), per(v["qd"], fs)
    v["fattori"] = (fl, ff, fp, fs)
    return v


# Local mechanisms of existing masonry walls by linear kinematic analysis (Circolare 2019
# C8.7.1.2.1.7): simple overturning about the outer edge of the base of each storey, vertical
# flexure of one storey. The wall's outer face is one plane from the base to the top (a thinner
# storey steps back on the inner face); u is measured inward from the outer face, y upward.
FC_DI_LC = {1: 1.35, 2: 1.20, 3: 1.00}
Q_MECCANISMI = 2.0
STATI = (("SLD", 63.0), ("SLV", 10.0))


def domanda_a_quota(h, riga, z, H):
    """Peak floor acceleration at height z (fraction of g), the floor spectrum at Ta = 0.
    C7.2.11: Ta = 0 < a·T1 is the first branch, whose denominator at Ta = 0 is ap, so
    Sa = ag·S·(1 + z/H); C7.2.5: at Ta = 0 the first branch's denominator is A, so
    S_eZ = aZ = Se(Tk, ξk)·γ1·(z/H)·√(1 + 0.0004·ξk²), and not less than Se(0) = ag·S."""
    d = {"aS": h["ag"] * h["S"], "zH": z / H}
    if riga["domanda"].strip().upper() == "C7.2.11":
        d["formula"] = "C7.2.11"
        d["Sa_formula"] = d["aS"] * (1.0 + z / H)
    else:
        d["formula"] = "C7.2.5"
        suolo = riga["suolo"].strip().upper()
        npiani = int(riga.get("n") or 3)
        xi = float(riga.get("xi") or 5)
        Tk = float(riga["Tk"]) if riga.get("Tk") else float(riga["T1"])
        d.update(npiani=npiani, xi=xi, Tk=Tk, Tk_dato=bool(riga.get("Tk")))
        d["Se_k"] = spettro(Tk, h["ag"], h["F0"], h["Tc"], h["S"], suolo, xi)
        d["gamma1"] = 3.0 * npiani / (2.0 * npiani + 1.0)
        d["radice"] = math.sqrt(1.0 + 0.0004 * xi * xi)
        d["Sa_formula"] = d["Se_k"] * d["gamma1"] * (z / H) * d["radice"]
    d["Sa"] = max(d["Sa_formula"], d["aS"])
    return d


def domanda_al_periodo(h, riga, z, H, Ta):
    """A free element's demand (fraction of g): the floor spectrum at z and period Ta > 0 with
    its branches (C7.2.11: a, b, ap from T1; C7.2.5: 0.8·Tk and 1.1·Tk, exponents 1.6 and 1.2,
    Se(Ta) beyond Tk), not below ag·S, and, as the program reads it, not below the site's
    elastic Se(Ta) at 5 %."""
    d = {"aS": h["ag"] * h["S"], "zH": z / H, "Ta": Ta}
    T1 = float(riga["T1"])
    suolo = riga["suolo"].strip().upper()
    if riga["domanda"].strip().upper() == "C7.2.11":
        d["formula"] = "C7.2.11"
        a_, b_, ap = (0.8, 1.4, 5.0) if T1 < 0.5 else (0.3, 1.2, 4.0) if T1 <= 1.0 else \
            (0.3, 1.0, 2.5)
        den = (1 + (ap - 1) * (1 - Ta / (a_ * T1)) ** 2 if Ta < a_ * T1 else
               1.0 if Ta < b_ * T1 else 1 + (ap - 1) * (1 - Ta / (b_ * T1)) ** 2)
        d.update(a=a_, b=b_, ap=ap, den=den)
        d["Sa_formula"] = d["aS"] * (1 + z / H) * ap / den
    else:
        d["formula"] = "C7.2.5"
        npiani, xi = int(riga.get("n") or 3), float(riga.get("xi") or 5)
        Tk = float(riga["Tk"]) if riga.get("Tk") else T1
        A = 1.1 * (xi / 100.0) ** -0.5
        aZ = (spettro(Tk, h["ag"], h["F0"], h["Tc"], h["S"], suolo, xi) * 3.0 * npiani
              / (2.0 * npiani + 1.0) * (z / H) * math.sqrt(1.0 + 0.0004 * xi * xi))
        den = (1 + (A - 1) * (1 - Ta / (0.8 * Tk)) ** 1.6 if Ta < 0.8 * Tk else
               1.0 if Ta < 1.1 * Tk else 1 + (A - 1) * (Ta / (1.1 * Tk) - 1) ** 1.2)
        d.update(A=A, aZ=aZ, den=den, Tk=Tk)
        d["Sa_formula"] = A * aZ / den
        if Ta > Tk:
            d["Sa_formula"] = max(d["Sa_formula"],
                                  spettro(Ta, h["ag"], h["F0"], h["Tc"], h["S"], suolo, 5.0))
    d["Se_T0"] = spettro(Ta, h["ag"], h["F0"], h["Tc"], h["S"], suolo, 5.0)
    d["Sa"] = max(d["Sa_formula"], d["aS"], d["Se_T0"])
    return d


def dati_meccanismo(riga, unita, g):
    """The storeys in base units (cm, daN, daN/cm3): h, t, N, dN, F, catena, W per storey."""
    fl, ff, fp, fs = fattori(unita, g)
    numero = lambda nome, f: float(riga.get(nome) or 0.0) * f
    piani = int(riga["piani"])
    m = {"piani": piani, "B": numero("B", fl), "gamma": numero("gamma", fp),
         "H": numero("H", fl), "z0": numero("z0", fl), "LC": int(riga["LC"])}
    for nome, f in (("h", fl), ("t", fl), ("N", ff), ("dN", fl), ("F", ff), ("catena", ff)):
        m[nome] = [numero(f"{nome}{i}", f) for i in range(1, piani + 1)]
    m["W"] = [m["gamma"] * t * h * m["B"] for t, h in zip(m["t"], m["h"])]
    # The side walls: the interlock's count, hb, lb, ts, mu (0.577 when empty) and the wedge's
    # beta (degrees) and sides (1 when empty).
    m["ammorsamenti"] = int(float(riga.get("ammorsamenti") or 0))
    m["hb"], m["lb"], m["ts"] = numero("hb", fl), numero("lb", fl), numero("ts", fl)
    m["mu"] = float(riga.get("mu") or 0.577)
    m["beta"] = float(riga.get("beta") or 0.0)
    m["lati_cuneo"] = int(float(riga.get("lati_cuneo") or 1))
    # The free element: held at its top too (1) or a cantilever (0, when empty), and E.
    m["appoggiato"] = int(float(riga.get("appoggiato") or 0))
    m["Em"] = numero("Em", fs)
    m["FC"] = FC_DI_LC[m["LC"]]
    m["fattori"] = (fl, ff, fp, fs)
    return m


def ribaltamento(m, k):
    """Storeys k..piani turn as one block about the outer edge of storey k's base (rotation 1).
    Each weight: (name, P, δx, δy); each other force: (name, F, its virtual work)."""
    pesi, forze, base = [], [], 0.0
    for i in range(k - 1, m["piani"]):
        h, t = m["h"][i], m["t"][i]
        pesi.append((f"W{i + 1}", m["W"][i], base + h / 2.0, t / 2.0))
        if m["N"][i]:
            pesi.append((f"N{i + 1}", m["N"][i], base + h, m["dN"][i]))
        # The thrust pushes outward and its point moves outward: positive work. The tie pulls
        # inward and its point moves outward: negative work.
        if m["F"][i]:
            forze.append((f"F{i + 1}", m["F"][i], m["F"][i] * (base + h)))
        if m["catena"][i]:
            forze.append((f"catena{i + 1}", m["catena"][i], -m["catena"][i] * (base + h)))
        base += h
    return pesi, forze


def attrito(m, k):
    """[C8.7.1.2] on the part above storey k's base, of height h: n = h/hb courses (not rounded),
    Φ = hb/lb, F = 0.4·n·(n+1)·Φ·μ·lb²·ts·w per side wall with w = γ, at h/3 above the hinge."""
    h = sum(m["h"][k - 1:])
    n = h / m["hb"]
    phi = m["hb"] / m["lb"]
    F1 = 0.4 * n * (n + 1.0) * phi * m["mu"] * m["lb"] ** 2 * m["ts"] * m["gamma"]
    return {"h": h, "n": n, "phi": phi, "F1": F1, "F": m["ammorsamenti"] * F1, "braccio": h / 3.0,
            "Li": m["ammorsamenti"] * F1 * h / 3.0}


def cuneo(m, k):
    """The wedge beside storeys k..piani: beside storey i a trapezoid of height h_i whose widths
    from the wall's inner face are a = y0·tan β and b = y1·tan β, y0 and y1 its base and top
    above the hinge; each a weight (name, P, δx, δy) at its centroid, y0 + h(a+2b)/(3(a+b))
    above the hinge and t_i + (a²+ab+b²)/(3(a+b)) from the outer face."""
    tb = math.tan(math.radians(m["beta"]))
    pezzi, y0 = [], 0.0
    for i in range(k - 1, m["piani"]):
        h, t = m["h"][i], m["t"][i]
        a, b = y0 * tb, (y0 + h) * tb
        area = h * (a + b) / 2.0
        P = m["lati_cuneo"] * m["gamma"] * m["ts"] * area
        pezzi.append({"nome": f"C{i + 1}", "a": a, "b": b, "area": area, "P": P,
                      "dx": y0 + h * (a + 2.0 * b) / (3.0 * (a + b)),
                      "dy": t + (a * a + a * b + b * b) / (3.0 * (a + b))})
        y0 += h
    return pezzi


def flessione(m, k, h1):
    """Storey k in two blocks, hinges A (base, outer face), C (height h1, inner face) and D (top,
    outer face), D held horizontally and free to rise. Block 1 turns by 1 about A; C moves
    outward by h1 and up by t; block 2 turns by h1/h2 the other way about D, which rises by
    t·h/h2. Every point of block 2 at (u, y): δx = (h1/h2)·(h − y), δy = t·h/h2 − (h1/h2)·u."""
    h, t = m["h"][k - 1], m["t"][k - 1]
    h2 = h - h1
    w = m["gamma"] * t * m["B"]  # weight per unit height
    pesi = [("W1", w * h1, h1 / 2.0, t / 2.0),
            ("W2", w * h2, h1 / 2.0, t * (h1 / 2.0 + h2) / h2)]
    if m["N"][k - 1]:
        pesi.append((f"N{k}", m["N"][k - 1], 0.0, (t * h - h1 * m["dN"][k - 1]) / h2))
    # The thrust and the tie act at D, which does not move horizontally: no work.
    return pesi, []


def flessione_minima(m, k):
    """h1 of the least α0 on a 1 mm grid (0.1 cm) strictly inside storey k, and the minimum of the
    continuous α0(h1) by golden-section search, to compare."""
    h = m["h"][k - 1]
    passi = int(round(h / 0.1))
    migliore = None
    for j in range(1, passi):
        a = alfa0_di(*flessione(m, k, j * 0.1))[0]
        if migliore is None or a < migliore[0]:
            migliore = (a, j * 0.1)
    a_, b_ = 0.1, h - 0.1
    rr = (math.sqrt(5.0) - 1.0) / 2.0
    while b_ - a_ > 1e-9:
        c_, d_ = b_ - rr * (b_ - a_), a_ + rr * (b_ - a_)
        if alfa0_di(*flessione(m, k, c_))[0] < alfa0_di(*flessione(m, k, d_))[0]:
            b_ = d_
        else:
            a_ = c_
    continuo = (a_ + b_) / 2.0
    return {"h1": migliore[1], "h1_continuo": continuo,
            "alpha0_continuo": alfa0_di(*flessione(m, k, continuo))[0]}


def alfa0_di(pesi, forze):
    stab = sum(P * dy for _, P, _, dy in pesi)
    lav = sum(L for _, _, L in forze)
    ribal = sum(P * dx for _, P, dx, _ in pesi)
    return (stab - lav) / ribal, stab, lav, ribal


def masse(pesi):
    """The weights whose masses the mechanism moves: a load whose point does not move
    horizontally (the flexure's load at the held top) has its mass held by the floor."""
    return [p for p in pesi if p[2] != 0.0]


def e_star_formula(pesi):
    """[C8.7.1.5]: e* = [Σ(P+Q)·δx]² / ([Σ(P+Q)]·[Σ(P+Q)·δx²]), over the mechanism's masses."""
    s1 = sum(P * dx for _, P, dx, _ in masse(pesi))
    s0 = sum(P for _, P, _, _ in masse(pesi))
    s2 = sum(P * dx * dx for _, P, dx, _ in masse(pesi))
    return s1 * s1 / (s0 * s2)


def e_star_con_tutti(pesi):
    """[C8.7.1.5] with every weight in the sums, also one that does not move horizontally."""
    s1 = sum(P * dx for _, P, dx, _ in pesi)
    s0 = sum(P for _, P, _, _ in pesi)
    s2 = sum(P * dx * dx for _, P, dx, _ in pesi)
    return s1 * s1 / (s0 * s2)


# Soil class -> TE, TF of NTC 2018 Tab. 3.2.VII (s).
TE_TF = {"A": (4.5, 10.0), "B": (5.0, 10.0), "C": (6.0, 10.0), "D": (6.0, 10.0),
         "E": (6.0, 10.0)}


def spostamento_spettrale(T, h, suolo, xi, g):
    """Elastic displacement spectrum SDe(T) in m (NTC 2018 3.2.3.2.3): Se(T)·g·T²/(4π²) up to TE,
    then toward dg = 0.025·ag·g·S·TC·TD at TF and dg beyond."""
    TE, TF = TE_TF[suolo]
    _, TC, TD = periodi_spettro(h["ag"], h["Tc"], suolo)
    eta = max(0.55, math.sqrt(10.0 / (5.0 + xi)))
    dg = 0.025 * h["ag"] * g * h["S"] * TC * TD
    if T <= TE:
        return spettro(T, h["ag"], h["F0"], h["Tc"], h["S"], suolo, xi) * g * T * T / (
            4.0 * math.pi ** 2)
    if T <= TF:
        return dg * (h["F0"] * eta + (1.0 - h["F0"] * eta) * (T - TE) / (TF - TE))
    return dg


def domanda_spostamento(h, suolo, xi, g, T_fine):
    """The greatest SDe(T) for T in [0, T_fine]: a scan of 200000 steps and the end point, and
    the closed form, SDe(min(T_fine, TE)) (SDe never falls before TE); both are kept."""
    n = 200000
    scansione = max((spostamento_spettrale(T_fine * i / n, h, suolo, xi, g), T_fine * i / n)
                    for i in range(n + 1))
    TE = TE_TF[suolo][0]
    chiuso = spostamento_spettrale(min(T_fine, TE), h, suolo, xi, g)
    return {"D": scansione[0], "T_D": scansione[1], "D_chiuso": chiuso}


def non_lineare(v, r, m, riga, g):
    """[C8.7.1.2.1.6], [C8.7.1.2.1.8] on one block at ground with its weight alone, turning about
    its outer base edge by finite rotations θ: α(θ) = tan(β − θ), β = atan(t/h); the control
    point is the centroid, d(θ) = R·(sin β − sin(β − θ)), R = ½√(t² + h²); one mass: d/dC = 1."""
    if (m["piani"] != 1 or m["z0"] != 0.0 or m["N"][0] or m["F"][0] or m["catena"][0]
            or m["ammorsamenti"] or v["verifica"] != "ribaltamento"):
        raise SystemExit(f"{riga['id']}: l'analisi non lineare è svolta qui per un blocco a terra")
    t, h = m["t"][0] / 100.0, m["h"][0] / 100.0  # m
    n = {"t": t, "h": h, "beta": math.atan(t / h), "R": 0.5 * math.hypot(t, h)}
    n["theta0"] = n["beta"]
    n["d0"] = n["R"] * math.sin(n["beta"])  # = t/2
    n["d_su_dC"] = 1.0
    suolo = riga["suolo"].strip().upper()
    for stato, quota, coeff, xi in (("SLV", 0.4, 1.68, 8.0), ("SLC", 0.6, 1.56, 10.0)):
        p = {"d": quota * n["d0"], "xi": xi, "coeff": coeff}
        p["sin_bt"] = (n["R"] * math.sin(n["beta"]) - p["d"]) / n["R"]
        p["theta"] = n["beta"] - math.asin(p["sin_bt"])
        p["alpha"] = math.tan(n["beta"] - p["theta"])
        p["a"] = p["alpha"] * g / (r["e_star"] * m["FC"])
        p["T"] = coeff * math.pi * math.sqrt(p["d"] / p["a"])
        h_ = v[stato]
        p["TB"], p["TC"], p["TD"] = periodi_spettro(h_["ag"], h_["Tc"], suolo)
        p["TE"], p["TF"] = TE_TF[suolo]
        p["eta"] = max(0.55, math.sqrt(10.0 / (5.0 + xi)))
        p.update(domanda_spostamento(h_, suolo, xi, g, p["T"]))
        p["zeta"] = p["d"] / p["D"]
        p["ag_cap"] = p["zeta"] * h_["ag"]
        p["da_SLD"] = False
        if stato == "SLV" and p["ag_cap"] < v["SLD"]["ag"]:
            # The SLV capacity is never taken below the SLD action [C8.7.1.2.1.8].
            p["da_SLD"], p["ag_cap"] = True, v["SLD"]["ag"]
            p["zeta"] = v["SLD"]["ag"] / h_["ag"]
        n[stato] = p
    return n


def calcola_meccanismi(riga, unita, g, punti, gruppi, zone):
    """Every step of a mechanism case: the site at SLD and SLV, each mechanism's α0, e*, M*,
    a0*, floor demands, ζ and ag of capacity; the governing one."""
    v = {"verifica": riga["verifica"].strip().lower(), "g": g,
         "suolo": riga["suolo"].strip().upper()}
    for stato, PVR in STATI:
        v[stato] = sito(riga, PVR, punti, gruppi, zone)
        v[stato]["PVR"] = PVR
    v["analisi"] = (riga.get("analisi") or "lineare").strip().lower()
    if v["analisi"] == "non lineare":
        # The collapse state of the nonlinear check: PVR 5 %.
        v["SLC"] = sito(riga, 5.0, punti, gruppi, zone)
        v["SLC"]["PVR"] = 5.0
    m = dati_meccanismo(riga, unita, g)
    v["m"] = m
    v["mecc"] = []
    for k in range(1, m["piani"] + 1):
        z = m["z0"] + sum(m["h"][:k - 1])
        r = {"storey": k, "z": z, "z_m": z / 100.0}
        if v["verifica"] in ("ribaltamento", "ribaltamento_composto"):
            pesi, forze = ribaltamento(m, k)
            r["Li"], r["F_amm"], r["W_cuneo"] = 0.0, None, None
            if v["verifica"] == "ribaltamento":
                r["name"] = f"ribaltamento {k}"
                if m["ammorsamenti"] > 0:
                    # The friction resists: its work enters as −F·δF = +L_i.
                    r["attrito"] = attrito(m, k)
                    r["Li"], r["F_amm"] = r["attrito"]["Li"], r["attrito"]["F"]
                    forze.append(("attrito dell'ammorsamento", r["attrito"]["F"], -r["Li"]))
            else:
                r["name"] = f"ribaltamento composto {k}"
                r["cuneo"] = cuneo(m, k)
                pesi += [(c["nome"], c["P"], c["dx"], c["dy"]) for c in r["cuneo"]]
                r["W_cuneo"] = sum(c["P"] for c in r["cuneo"])
            r["alpha0"], r["stab"], r["lav"], r["ribal"] = alfa0_di(pesi, forze)
            r["h1"] = None
            # [C8.7.1.5] as written, also for one block: below 1 when its loads lie at
            # different heights.
            r["e_star"] = e_star_formula(pesi)
        elif v["verifica"] == "elemento_libero" and m["appoggiato"] == 0:
            # A cantilever's overturning about its base; its period [C8.7.1.7] in SI units:
            # L, t in m, W = γ in kN/m³ (daN/cm³ · 1e4), E in kN/m² (daN/cm² · 100).
            r["name"] = "elemento libero"
            pesi, forze = ribaltamento(m, k)
            r["alpha0"], r["stab"], r["lav"], r["ribal"] = alfa0_di(pesi, forze)
            r["h1"] = None
            r["e_star"] = e_star_formula(pesi)
            L, t = m["h"][0] / 100.0, m["t"][0] / 100.0
            r["kappa"], r["lambda"] = 6.2, L / t
            r["T0"] = 6.2 * (L / t) * L * math.sqrt(m["gamma"] * 1e4 / (m["Em"] * 100.0 * g))
        elif v["verifica"] == "flessione" or (v["verifica"] == "elemento_libero"
                                               and m["appoggiato"] == 1):
            if m["piani"] != 1:
                raise SystemExit(f"{riga['id']}: la flessione è svolta qui per un solo piano")
            r.update(flessione_minima(m, k))
            pesi, forze = flessione(m, k, r["h1"])
            r["alpha0"], r["stab"], r["lav"], r["ribal"] = alfa0_di(pesi, forze)
            r["e_star"] = e_star_formula(pesi)
            r["name"] = "flessione"
            if v["verifica"] == "elemento_libero":
                # Held at the top too: the storey's flexure, simply supported, κ = 2.2 [C8.7.1.7]
                # in SI units as the cantilever above.
                r["name"] = "elemento libero"
                L, t = m["h"][0] / 100.0, m["t"][0] / 100.0
                r["kappa"], r["lambda"] = 2.2, L / t
                r["T0"] = 2.2 * (L / t) * L * math.sqrt(m["gamma"] * 1e4 / (m["Em"] * 100.0 * g))
        else:
            raise SystemExit(f"{riga['id']}: verifica {riga['verifica']!r} sconosciuta")
        r["pesi"], r["forze"] = pesi, forze
        r["e_formula"] = e_star_formula(pesi)
        r["e_tutti"] = e_star_con_tutti(pesi)
        r["sommaP"] = sum(P for _, P, _, _ in masse(pesi))
        # M* in t (kN·s²/m): ΣP in daN / 100 is kN, over g in m/s².
        r["M_star"] = r["e_star"] * r["sommaP"] / 100.0 / g
        r["a0_star"] = r["alpha0"] * g / (r["e_star"] * m["FC"])
        r["attivo"] = r["alpha0"] <= 0.0
        for stato, _ in STATI:
            d = (domanda_al_periodo(v[stato], riga, z, m["H"], r["T0"]) if r.get("T0")
                 else domanda_a_quota(v[stato], riga, z, m["H"]))
            r["dom_" + stato] = d
            r["demand_" + stato] = d["Sa"]
        r["zeta_SLD"] = r["a0_star"] / (r["demand_SLD"] * g)
        r["zeta_SLV"] = Q_MECCANISMI * r["a0_star"] / (r["demand_SLV"] * g)
        r["ag_cap_SLD"] = r["zeta_SLD"] * v["SLD"]["ag"]
        r["ag_cap_SLV"] = r["zeta_SLV"] * v["SLV"]["ag"]
        r["h1_m"] = None if r["h1"] is None else r["h1"] / 100.0
        r["nl"] = non_lineare(v, r, m, riga, g) if v["analisi"] == "non lineare" else None
        if r.get("T0"):
            # The elastic branch's yield displacement dy = a0*·T0²/(4π²) [C8.7.1.6], in m.
            r["d_y"] = r["a0_star"] * r["T0"] ** 2 / (4.0 * math.pi ** 2)
        v["mecc"].append(r)
    v["governing"] = min(range(len(v["mecc"])), key=lambda i: v["mecc"][i]["zeta_SLV"])
    gov = v["mecc"][v["governing"]]
    v["verdict"] = "> : OK" if gov["zeta_SLV"] >= 1.0 else "< : !!!"
    if gov["nl"] is not None:
        # Under the nonlinear analysis the SLV verdict is the displacement check's.
        v["verdict"] = "> : OK" if gov["nl"]["SLV"]["zeta"] >= 1.0 else "< : !!!"
        v["verdict_SLC"] = "> : OK" if gov["nl"]["SLC"]["zeta"] >= 1.0 else "< : !!!"
    v["verdict_SLD"] = "> : OK" if gov["zeta_SLD"] >= 1.0 else "< : !!!"
    return v


# Printed digits of a mechanism's values: α0, M*, a0* to six significant digits (the flexure's
# α0 is so flat about its minimum that h1 on any 1 mm grid moves it by less than 1e-7), the
# demands, ζ and ag of capacity to five decimals, h1 to the millimetre.
def attesi_meccanismi(v):
    righe = []
    for stato in [s_ for s_, _ in STATI] + (["SLC"] if "SLC" in v else []):
        h = v[stato]
        righe += [(f"TR_{stato}", str(h["TR"])), (f"ag_{stato}", f"{h['ag']:.5f}"),
                  (f"S_{stato}", f"{h['S']:.4f}")]
    righe.append(("FC", f"{v['m']['FC']:.2f}"))

    def valori(prefisso, r):
        fl = r["h1"] is not None
        out = [(prefisso + "nome", r["name"]), (prefisso + "z", f"{r['z_m']:.4f}")]
        if fl:
            out.append((prefisso + "h1", f"{r['h1_m']:.3f}"))
        # The side walls in kN·m and kN (1 daN·cm = 1e-4 kN·m, 1 daN = 0.01 kN).
        if r.get("F_amm") is not None:
            out += [(prefisso + "L_i", f"{r['Li'] * 1e-4:.{cifre(r['Li'] * 1e-4, 6)}f}"),
                    (prefisso + "F_amm", f"{r['F_amm'] / 100:.{cifre(r['F_amm'] / 100, 6)}f}")]
        if r.get("T0"):
            out += [(prefisso + "T0", f"{r['T0']:.{cifre(r['T0'], 6)}f}"),
                    (prefisso + "kappa", f"{r['kappa']:.1f}"),
                    (prefisso + "d_y", f"{r['d_y']:.{cifre(r['d_y'], 5)}f}")]
        if r.get("W_cuneo") is not None:
            out.append((prefisso + "W_cuneo",
                        f"{r['W_cuneo'] / 100:.{cifre(r['W_cuneo'] / 100, 6)}f}"))
        out += [(prefisso + "alpha0", f"{r['alpha0']:.{cifre(r['alpha0'], 6)}f}"),
                (prefisso + "e_star", f"{r['e_star']:.4f}"),
                (prefisso + "M_star", f"{r['M_star']:.{cifre(r['M_star'], 6)}f}"),
                (prefisso + "a0_star", f"{r['a0_star']:.{cifre(r['a0_star'], 6)}f}")]
        z = 5
        out += [(prefisso + "demand_SLD", f"{r['demand_SLD']:.5f}"),
                (prefisso + "demand_SLV", f"{r['demand_SLV']:.5f}"),
                (prefisso + "zeta_SLD", f"{r['zeta_SLD']:.{z}f}"),
                (prefisso + "zeta_SLV", f"{r['zeta_SLV']:.{z}f}"),
                (prefisso + "ag_cap_SLD", f"{r['ag_cap_SLD']:.{z}f}"),
                (prefisso + "ag_cap_SLV", f"{r['ag_cap_SLV']:.{z}f}")]
        n = r["nl"]
        if n is not None:
            out += [(prefisso + "d0", f"{n['d0']:.6f}"),
                    (prefisso + "theta0", f"{n['theta0']:.6f}"),
                    (prefisso + "d_su_dC", f"{n['d_su_dC']:.6f}"),
                    (prefisso + "a_terra", "true" if r["z"] == 0.0 else "false")]
            for st in ("SLV", "SLC"):
                p = n[st]
                out += [(prefisso + f"{st}_d", f"{p['d']:.6f}"),
                        (prefisso + f"{st}_a", f"{p['a']:.6f}"),
                        (prefisso + f"{st}_T", f"{p['T']:.6f}"),
                        (prefisso + f"{st}_xi", f"{p['xi']:.1f}"),
                        (prefisso + f"{st}_D", f"{p['D']:.6f}"),
                        (prefisso + f"{st}_zeta", f"{p['zeta']:.5f}"),
                        (prefisso + f"{st}_ag_cap", f"{p['ag_cap']:.5f}"),
                        (prefisso + f"{st}_da_SLD", "true" if p["da_SLD"] else "false")]
                # Where SDe is flat (TD to TE) any T there gives the maximum: T_D only when the
                # maximum is at the end point alone.
                if p["T"] < p["TD"]:
                    out.append((prefisso + f"{st}_T_D", f"{p['T_D']:.6f}"))
        return out

    for r in v["mecc"]:
        righe += valori(f"k{r['storey']}_", r)
        righe.append((f"k{r['storey']}_attivo", "true" if r["attivo"] else "false"))
    gov = v["mecc"][v["governing"]]
    righe += [("governing", str(v["governing"]))]
    righe += [x for x in valori("gov_", gov) if x[0] != "gov_h1"]
    if gov["h1_m"] is not None:
        righe.append(("h1", f"{gov['h1_m']:.3f}"))
    righe += [("verdict", v["verdict"]), ("verdict_SLD", v["verdict_SLD"])]
    if "verdict_SLC" in v:
        righe += [("analysis", "nonlinear"), ("verdict_SLC", v["verdict_SLC"])]
    return righe


def cifre(x, significative):
    """Decimals that give a value the wanted significant digits (at least none)."""
    if x == 0:
        return significative - 1
    return max(0, significative - 1 - int(math.floor(math.log10(abs(x)))))


def attesi_di(v):
    """The worked values the program is compared with, as printed: (name, text)."""
    if v["errore"]:
        # The check stops before any result: only the stop is compared.
        return [("errore", "σ0 (tensione media alla base della mensola) non minore di 0.85·fd")]
    righe = []
    for i, n in enumerate(v["nodi"]):
        righe += [(f"nodo{i + 1}_codice", str(n[0])), (f"nodo{i + 1}_km", f"{n[3]:.3f}")]
    if v["datum"] == "WGS84" or v["gms"]:
        righe += [("lat_ed50", f"{v['lat']:.6f}"), ("lon_ed50", f"{v['lon']:.6f}")]
    righe += [("fonte", v["fonte"]), ("VR", f"{v['VR']:.0f}"), ("TR", str(v["TR"])),
              ("ag", f"{v['ag']:.5f}"), ("F0", f"{v['F0']:.4f}")]
    if v["domanda"] == "C7.2.5":
        righe.append(("Tc", f"{v['Tc']:.4f}"))
    righe += [("Ss", f"{v['Ss']:.4f}"), ("S", f"{v['S']:.4f}"), ("quota_v", f"{v['qv']:.4f}"),
              ("quota_o", f"{v['qo']:.4f}"), ("span", v["span"])]
    # The arch's root is found by the program to about 1e-6 cm: Rlat and qd to five digits.
    for nome, n in (("W", 6), ("Wa", 6), ("Fa", 6), ("Rlat", 6 if v["mensola"] else 5)):
        x = v[nome + "_u"]
        righe.append((nome, f"{x:.{cifre(x, n)}f}"))
    righe += [("Ta", f"{v['Ta']:.5f}"), ("Sa", f"{v['Sa']:.5f}")]
    if not v["mensola"]:
        # Where the arch's instability governs, f_crit, sigma_crit and what follows from them
        # are known to the program's search interval (0.01 cm): fewer digits.
        inst = v["K2"] < 1.0
        righe += [("K1", f"{v['K1']:.{3 if inst else 4}f}"),
                  ("K2", f"{v['K2']:.{3 if inst else 4}f}"),
                  ("d_mm", f"{v['d_mm']:.{1 if inst else 3}f}"),
                  ("fe", f"{v['sigma_u']:.{cifre(v['sigma_u'], 3)}f}"),
                  ("qd", f"{v['qd_u']:.{cifre(v['qd_u'], 4)}f}")]
    righe.append(("verdict", v["verdict"]))
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
        if (riga.get("verifica") or "pannello").strip().lower() != "pannello":
            v = calcola_meccanismi(riga, unita, g, punti, gruppi, zone)
            uscita += [(caso, n, t) for n, t in attesi_meccanismi(v)]
            continue
        v = calcola(riga, unita, g, punti, gruppi, zone)
        uscita += [(caso, n, t) for n, t in attesi_di(v)]
    with open(os.path.join(casi, "attesi.csv"), "w", newline="") as f:
        csv.writer(f, lineterminator="\n").writerows(uscita)


if __name__ == "__main__":
    main()
