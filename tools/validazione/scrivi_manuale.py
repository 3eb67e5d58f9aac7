#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes docs/manuale_validazione.md: the opening and closing chapters kept in docs/validazione,
# and one chapter per case with its worked steps (calcolo.py) beside the program's values; a
# local mechanism's case with its virtual work term by term.
# Usage: scrivi_manuale.py TORVELANDO_CLI [CASES_FOLDER] [DATA_FOLDER] [OUTPUT.md]
import csv
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calcolo  # noqa: E402

TITOLI = {
    "v01": ("L'Aquila, la commessa dimostrativa", "reticolo; TR = 475 anni tabellato; suolo B; "
            "sommità appoggiata, lati liberi; EC8; pannello non verificato"),
    "v02": ("Firenze, quattro lati appoggiati con B > L", "suolo A; St = 1,2 (T2); quattro lati "
            "appoggiati con B > L (quota orizzontale 9,151·e^(−2,907·B/L)); EC8"),
    "v03": ("Napoli, PVR = 5 %", "TR = 975 anni; suolo C; sommità e lato sinistro appoggiati; "
            "Circolare C7.2.11, T1 < 0,5 s, primo tratto"),
    "v04": ("Reggio Calabria, VR = 150 anni", "TR = 1424 anni interpolato fra 975 e 2475; suolo D "
            "con Ss al minimo 0,90; St = 1,4 (T4); sommità e lato destro appoggiati; EC8"),
    "v05": ("Catania, sommità libera", "suolo E; St = 1,2; sommità libera e lati appoggiati, "
            "luce B; Circolare C7.2.11, 0,5 ≤ T1 ≤ 1 s, tratto centrale"),
    "v06": ("Milano, quattro lati appoggiati con B ≤ L", "Cu = 2, TR = 949 anni interpolato; "
            "suolo B con Ss al massimo 1,20; luce B; Circolare C7.2.11, terzo tratto"),
    "v07": ("Palermo, instabilità dell'arco", "suolo C; parete sottile e alta: σ_crit < fd, "
            "K2 < 1; EC8 con Sa al minimo α·S"),
    "v08": ("Cagliari, isola del gruppo G1", "Tabella 2, Sardegna; Cu = 1,5, TR = 712 anni "
            "interpolato; suolo B con Ss al massimo 1,20; EC8"),
    "v09": ("Lipari, isola del gruppo G5", "Tabella 2; suolo A; sommità e lato sinistro "
            "appoggiati; EC8"),
    "v10": ("Perugia, unità m, kN, kN/m³, N/mm²", "secondo sistema di unità; suolo C; St = 1,2; "
            "sommità e lato destro appoggiati; EC8"),
    "v11": ("Bologna, unità mm, kgf, kgf/m³, kgf/cm²", "terzo sistema di unità, con g = 9,81; "
            "suolo D con Ss al massimo 1,80; sommità libera; Circolare C7.2.11, T1 > 1 s"),
    "v12": ("Genova, TR limitato a 30 anni", "PVR = 90 %: TR = 21,7 → 30 anni; suolo A; EC8"),
    "v13": ("L'Aquila, VR al minimo di 35 anni", "VN = 10, Cu = 1: VR = max(10; 35) = 35 anni, "
            "TR = 332 anni interpolato fra 201 e 475; suolo B; EC8"),
    "v14": ("Istrana, sito presso una fila del reticolo", "il sito sta 37 m a nord del lato sud "
            "della maglia che lo contiene, le cui file sono inclinate: la maglia è quella che "
            "contiene il sito, non quella del nodo più vicino; suolo C; EC8"),
    "v15": ("Ornago, sito presso una colonna del reticolo", "il sito sta 40 m a ovest del lato "
            "est della sua maglia (NW 11597); Cu = 1,5; suolo B con Ss al massimo; quattro lati "
            "appoggiati; Circolare C7.2.11"),
    "v16": ("Foligno, spettro di piano con Tk = T1", "Circolare C7.2.5 con Tk vuoto (vale T1), "
            "n = 4, ξ = 5 %; Ta < 0,8 · Tk, primo tratto; suolo C, St = 1,2"),
    "v17": ("Sulmona, spettro di piano sotto lo spettro del sito", "Circolare C7.2.5 con "
            "Tk = 0,15 s dato, Ta ≥ 1,1 · Tk (terzo tratto): per Ta > Tk vale il minimo "
            "Se(Ta, 5 %); Tk sul ramo crescente dello spettro; instabilità dell'arco"),
    "v18": ("Rieti, spettro di piano nel tratto costante", "Circolare C7.2.5 con Tk = 0,2 s "
            "dato, 0,8 · Tk ≤ Ta < 1,1 · Tk; n = 2, ξ = 8 %; suolo A"),
    "v19": ("Messina, parapetto a mensola", "sommità e lati liberi: periodo della mensola e "
            "resistenza a ribaltamento attorno allo spigolo di base (NTC 2018 § 7.8.2.2.3); "
            "Z > H; qa = 1"),
    "v20": ("Campobasso, mensola con la base schiacciata", "σ0 ≥ 0,85 · fd: la verifica si "
            "ferma con il suo messaggio, senza risultati"),
    "v21": ("Pisa, coordinate WGS84", "sito scritto in WGS84 e convertito in ED50 "
            "(EPSG:1133 inversa) prima di cercare la maglia; sommità e lato destro appoggiati"),
    "v22": ("Ancona, coordinate in gradi, primi e secondi", "43°36'26\" N e 13°30'37\" E, "
            "con i segni; sommità e lato sinistro appoggiati"),
    "v23": ("Norcia, ribaltamento semplice di un piano", "meccanismo locale (Circolare 2019 "
            "C8.7.1.2.1.7): una parete di un piano con il carico del solaio e una spinta in "
            "sommità; α0 dal principio dei lavori virtuali [C8.7.1.1], e* dalla [C8.7.1.5], LC1; z = 0, "
            "domanda ag · S; suolo A, pianura"),
    "v24": ("Benevento, ribaltamento di tre piani", "tre meccanismi, attorno alla base di ogni "
            "piano, con i carichi dei solai e una spinta in copertura; governa il ζ_SLV minore; "
            "domanda alla quota della cerniera con lo spettro di piano C7.2.5 (Ta = 0); LC3; "
            "unità m, kN, kN/m³"),
    "v25": ("Avezzano, ribaltamento trattenuto da una catena", "due piani, catena in sommità "
            "che si oppone al ribaltamento, spinta della copertura; base della parete a "
            "z0 = 2 m; domanda C7.2.11 (Ta = 0); suolo B, St = 1,2; LC2"),
    "v26": ("Cosenza, flessione verticale di un piano", "parete vincolata in basso e in alto, "
            "due blocchi con la cerniera intermedia sul filo interno, sommità libera di salire; "
            "α0 minimo su h1 a passi di 1 mm; e* di due blocchi [C8.7.1.5]; z0 = 3,5 m, "
            "spettro di piano C7.2.5 con Tk dato; LC2"),
    "v27": ("L'Aquila, ribaltamento trattenuto dall'ammorsamento", "due piani ammorsati a una "
            "parete ortogonale: l'attrito della lesione a pettine [C8.7.1.2] con n = h/hb, "
            "Φ = hb/lb e μ = 0,577 dal campo vuoto, a h/3 sopra la cerniera, lavoro interno "
            "L_i della [C8.7.1.1]; h diverso per ciascuna cerniera; domanda C7.2.11; LC1"),
    "v28": ("Sulmona, ribaltamento composto con il cuneo", "due piani che trascinano il cuneo "
            "di due pareti ortogonali staccato da una lesione a β = 30° dalla verticale: un "
            "triangolo accanto al piano della cerniera e un trapezio accanto a quello sopra, "
            "ciascuno con il suo baricentro; spettro di piano C7.2.5; LC2; unità m, kN"),
    "v29": ("Perugia, parapetto libero di vibrare in copertura", "elemento libero a mensola "
            "sulla copertura (z = H): periodo T0 [C8.7.1.7] con κ = 6,2 e λ = L/t, domanda "
            "dello spettro di piano C7.2.5 al periodo T0 con ξ = 5 % [C8.7.1.9], SLV con "
            "q = 2; LC1"),
    "v30": ("Firenze, analisi cinematica non lineare di un blocco a terra", "un piano a terra "
            "con il solo peso, rotazioni finite: curva di capacità α(θ) = tan(β − θ), d0 = t/2, "
            "spostamenti e periodi secanti allo SLV e allo SLC [C8.7.1.10], [C8.7.1.11], "
            "domanda di spostamento SDe del sito (ξ = 8 % e 10 %, NTC 2018 § 3.2.3.2.3), "
            "ζE = d / Δd; SLC con PVR = 5 %; esito SLV non lineare; LC1"),
    "v31": ("Foligno, tamponamento trattenuto in basso e in alto", "elemento libero di vibrare "
            "appoggiato anche in sommità: flessione del piano con h1 minimo al millimetro, "
            "periodo T0 [C8.7.1.7] con κ = 2,2, domanda dello spettro di piano C7.2.5 al "
            "periodo T0 alla quota della base (z0 = 3 m); suolo C; LC2"),
}
NOMI = {"VR": "VR [anni]", "TR": "TR [anni]", "ag": "ag/g", "F0": "F0", "Ss": "Ss", "S": "S",
        "quota_v": "quota verticale", "quota_o": "quota orizzontale", "W": "W", "Wa": "Wa",
        "Ta": "Ta [s]", "Sa": "Sa", "Fa": "Fa", "Rlat": "F_lat,d", "d_mm": "d_a [mm]",
        "K1": "K1", "K2": "K2", "fe": "σ_crit", "qd": "qd", "Tc": "Tc*",
        "lat_ed50": "lat. ED50", "lon_ed50": "long. ED50"}
REGOLA = {("1", "0", "0"): "lati verticali liberi, quote 1 e 0",
          ("1", "1", "0"): "un solo lato verticale appoggiato, quota verticale (B − 2t)/B",
          ("1", "0", "1"): "un solo lato verticale appoggiato, quota verticale (B − 2t)/B",
          ("0", "1", "1"): "sommità libera, quota orizzontale (L − 2t)/L",
          ("0", "0", "0"): "mensola",
          ("1", "1", "1"): "quattro lati appoggiati, quota nella direzione della luce maggiore "
                           "9,151 · e^(−2,907 · luce maggiore / minore)"}
GREZZI = {"VR": "VR", "TR": "TR", "ag": "ag", "F0": "F0", "Ss": "Ss", "S": "S", "quota_v": "qv",
          "quota_o": "qo", "W": "W_u", "Wa": "Wa_u", "Ta": "Ta", "Sa": "Sa", "Fa": "Fa_u",
          "Rlat": "Rlat_u", "d_mm": "d_mm", "K1": "K1", "K2": "K2", "fe": "sigma_u", "qd": "qd_u",
          "Tc": "Tc", "lat_ed50": "lat", "lon_ed50": "lon"}
SS = {"A": None, "B": ("1,40", "0,40"), "C": ("1,70", "0,60"), "D": ("2,40", "1,50"),
      "E": ("2,00", "1,10")}
JSON = {"VR": "VR", "TR": "TR", "ag": "ag", "F0": "F0", "Ss": "Ss", "S": "S",
        "quota_v": "share_vertical", "quota_o": "share_horizontal", "W": "W", "Wa": "Wa",
        "Ta": "Ta", "Sa": "Sa", "Fa": "Fa", "Rlat": "Rlat", "d_mm": "d_mm", "K1": "K1",
        "K2": "K2", "fe": "sigma_crit", "qd": "qd", "Tc": "Tc", "lat_ed50": "lat_ed50",
        "lon_ed50": "lon_ed50"}


def n(x, decimali):
    return f"{x:.{decimali}f}".replace(".", ",").replace("-", "−")


def g6(x, cifre=6):
    """Significant digits, decimal comma, powers of ten written out."""
    testo = f"{x:.{cifre}g}"
    if "e" in testo:
        mantissa, esponente = testo.split("e")
        apici = str.maketrans("-0123456789", "⁻⁰¹²³⁴⁵⁶⁷⁸⁹")
        testo = f"{mantissa} · 10{str(int(esponente)).translate(apici)}"
    return testo.replace(".", ",").replace("-", "−")


def suite_temporanea(casi, dati, caso):
    """A suite in a temporary folder with the grid, the locality list and the case's job."""
    radice = tempfile.mkdtemp(prefix="validazione_")
    os.makedirs(os.path.join(radice, "progra"))
    os.makedirs(os.path.join(radice, "impostazioni"))
    shutil.copy(os.path.join(dati, "hazard_grid_ntc2008.txt"),
                os.path.join(radice, "progra", "parametri_per_spettro.txt"))
    shutil.copy(os.path.join(dati, "localities_it.txt"),
                os.path.join(radice, "progra", "coordinate_localita.txt"))
    with open(os.path.join(radice, "impostazioni", "dirlav"), "w") as f:
        f.write(os.path.abspath(os.path.join(casi, "lavori")) + "\n")
    with open(os.path.join(radice, "impostazioni", "lavoro"), "w") as f:
        f.write(caso + "\n")
    return radice


def programma(cli, casi, dati, caso, riga):
    radice = suite_temporanea(casi, dati, caso)
    try:
        comando = [cli, "check", "--root", radice, "--json", "--top", riga["top"], "--left",
                   riga["left"], "--right", riga["right"], "--demand", riga["domanda"]]
        for nome in ["PVR", "qa", "T1", "B", "L", "t", "gamma", "fd", "E", "Z", "H", "n", "xi",
                     "Tk"]:
            if riga.get(nome):
                comando += ["--set", f"{nome}={riga[nome]}"]
        if riga.get("datum") or "°" in riga["lat"]:
            comando += ["--set", f"lat={riga['lat']}", "--set", f"lon={riga['lon']}"]
            comando += ["--datum", riga["datum"].lower()] if riga.get("datum") else []
        return json.loads(subprocess.run(comando, capture_output=True, text=True).stdout)
    finally:
        shutil.rmtree(radice)


# The mechanism's --set fields and the panel's fields it reuses, as verifica.py gives them.
MECCANISMO = (["piani"] + [f"{n}{i}" for n in ("h", "t", "N", "dN", "F", "catena")
                           for i in range(1, 6)] + ["LC", "z0", "ammorsamenti", "hb", "lb",
                                                    "ts", "mu", "beta", "lati_cuneo", "appoggiato",
                                                    "Em", "analisi", "d_rottura"])
RIUSATI = ["lat", "lon", "VN", "Cu", "suolo", "St", "B", "gamma", "H", "T1", "n", "xi", "Tk"]
NOMI_MECC = {"alpha0": "α0", "e_star": "e*", "M_star": "M* [t]", "a0_star": "a0* [m/s²]",
             "z": "z [m]", "h1": "h1 [m]", "demand_SLD": "domanda SLD / g",
             "demand_SLV": "domanda SLV / g", "zeta_SLD": "ζ_SLD", "zeta_SLV": "ζ_SLV",
             "ag_cap_SLD": "ag,SLD capacità / g", "ag_cap_SLV": "ag,SLV capacità / g",
             "L_i": "L_i [kN·m]", "F_amm": "F ammorsamento [kN]", "W_cuneo": "W cuneo [kN]",
             "T0": "T0 [s]", "kappa": "κ", "d_y": "dy [m]", "d0": "d0 [m]",
             "theta0": "θ0 [rad]", "d_su_dC": "d/dC", "a_terra": "a terra"}
# The JSON keys of the side walls' and the nonlinear check's values, "a.b" for b inside a.
CHIAVI_MECC = {"F_amm": "interlock.F", "W_cuneo": "wedge.W", "d0": "nonlinear.d0",
               "theta0": "nonlinear.theta0", "d_su_dC": "nonlinear.d_over_dC",
               "a_terra": "nonlinear.ground"}
for _stato in ("SLV", "SLC"):
    for _nome, _chiave, _testo in (("d", "d", "d [m]"), ("a", "a", "a(d) [m/s²]"),
                                   ("T", "T", "T secante [s]"), ("xi", "xi", "ξ [%]"),
                                   ("D", "demand", "Δd [m]"), ("T_D", "T_demand", "T di Δd [s]"),
                                   ("zeta", "zeta", "ζE"), ("ag_cap", "ag_cap", "ag capacità / g"),
                                   ("da_SLD", "from_SLD", "dallo SLD")):
        NOMI_MECC[f"{_stato}_{_nome}"] = f"{_stato} non lineare: {_testo}"
        CHIAVI_MECC[f"{_stato}_{_nome}"] = f"nonlinear.{_stato}.{_chiave}"


def valore_json(m, chiave):
    for parte in CHIAVI_MECC.get(chiave, chiave).split("."):
        m = m.get(parte) if isinstance(m, dict) else None
    return m
NOMI_SITO = {"TR_SLD": "TR SLD [anni]", "ag_SLD": "ag SLD / g", "S_SLD": "S SLD",
             "TR_SLV": "TR SLV [anni]", "ag_SLV": "ag SLV / g", "S_SLV": "S SLV", "FC": "FC",
             "TR_SLC": "TR SLC [anni]", "ag_SLC": "ag SLC / g", "S_SLC": "S SLC"}


def programma_meccanismo(cli, casi, dati, caso, riga):
    radice = suite_temporanea(casi, dati, caso)
    try:
        comando = [cli, "check", "--root", radice, "--json", "--kind",
                   riga["verifica"].strip().lower(), "--demand", riga["domanda"]]
        for nome in MECCANISMO + RIUSATI:
            if (riga.get(nome) or "").strip():
                comando += ["--set", f"{nome}={riga[nome].strip()}"]
        esito = subprocess.run(comando, capture_output=True, text=True)
        try:
            return json.loads(esito.stdout)
        except ValueError:
            return None
    finally:
        shutil.rmtree(radice)


def pericolosita(v, riga):
    """The site's steps at SLD and SLV, as the panel's chapters write them."""
    out = ["## Pericolosità del sito", "",
           "Due stati limite, con le probabilità di superamento della Circolare per i meccanismi "
           "locali: SLD con PVR = 63 %, SLV con PVR = 10 % (la colonna PVR della riga non è usata)."
           , ""]
    d, l = v["SLD"], v["SLV"]
    stati = ("SLD", "SLV", "SLC") if "SLC" in v else ("SLD", "SLV")
    if "SLC" in v:
        out[2] = out[2].replace("Due stati limite,", "Tre stati limite,").replace(
            "SLV con PVR = 10 %", "SLV con PVR = 10 %, e per l'analisi non lineare SLC con "
            "PVR = 5 %")
    out.append(f"- VR = max(VN · Cu; 35) = max({riga['VN']} · {riga['Cu'].replace('.', ',')}; "
               f"35) = **{n(d['VR'], 1)} anni**; SLD: TR = −VR / ln(1 − 0,63) = "
               f"{n(d['TR_grezzo'], 2)} → **{d['TR']} anni**; SLV: TR = −VR / ln(1 − 0,10) = "
               f"{n(l['TR_grezzo'], 2)} → **{l['TR']} anni**"
               + (f"; SLC: TR = −VR / ln(1 − 0,05) = {n(v['SLC']['TR_grezzo'], 2)} → "
                  f"**{v['SLC']['TR']} anni**" if "SLC" in v else "") + ".")
    if d["nodi"]:
        lati = calcolo.distanze_lati(d["nodi"], d["lat"], d["lon"])
        vicino = min(lati, key=lati.get)
        out += [f"- Maglia del reticolo che contiene il sito (lat. {n(d['lat'], 4)}, long. "
                f"{n(d['lon'], 4)}): c = {d['nodi'][2][0]}, a {n(lati[vicino], 0)} m dal lato "
                f"{vicino}. Distanze sulla sfera di raggio 6371 km:", "",
                "| nodo | codice | long. | lat. | d [km] | 1/d |", "|---|---|---|---|---|---|"]
        for nome, nodo in zip(("SW", "SE", "NW", "NE"), d["nodi"]):
            out.append(f"| {nome} | {nodo[0]} | {n(nodo[1], 4)} | {n(nodo[2], 4)} | "
                       f"{n(nodo[3], 3)} | {n(1 / nodo[3], 5)} |")
        out.append("")
    else:
        out.append(f"- Zona **{d['fonte']}** della Tabella 2.")
    out += ["| | TR1 | TR2 | ag/g a TR1 | ag/g a TR2 | ag/g | F0 | Tc* [s] | Ss | St | S | "
            "ag · S |", "|---|---|---|---|---|---|---|---|---|---|---|---|"]
    for stato in stati:
        h = v[stato]
        out.append(f"| {stato} | {h['TR1']} | {h['TR2']} | {n(h['ag1'], 5)} | "
                   f"{n(h['ag2'], 5)} | **{n(h['ag'], 5)}** | {n(h['F0'], 4)} | "
                   f"{n(h['Tc'], 4)} | {n(h['Ss'], 4)} | {n(h['St'], 2)} | **{n(h['S'], 4)}** | "
                   f"{n(h['ag'] * h['S'], 5)} |")
    suolo = riga["suolo"].strip().upper()
    out += ["", "Interpolazione logaritmica fra TR1 e TR2 (per TR tabellato ag = ag a TR1); "
            + (f"suolo {suolo}: Ss = {SS[suolo][0]} − {SS[suolo][1]} · F0 · ag/g, fra i limiti "
               f"della Tabella 3.2.IV delle NTC 2018." if SS[suolo] else "suolo A: Ss = 1.")
            + " Stesso reticolo, stessi nodi e stessi pesi 1/d "
            + ("nei tre stati." if "SLC" in v else "nei due stati."), ""]
    return out


def termini(pesi, forze):
    """The table of the virtual work's terms (rotation 1 of the first block), in cm and daN."""
    out = ["| termine | forza [daN] | δx [cm] | δy [cm] | (P+Q) · δx [daN·cm] | "
           "P · δy [daN·cm] |", "|---|---|---|---|---|---|"]
    for nome, P, dx, dy in pesi:
        out.append(f"| {nome} | {n(P, 2)} | {n(dx, 4)} | {n(dy, 4)} | {n(P * dx, 2)} | "
                   f"{n(P * dy, 2)} |")
    for nome, F, L in forze:
        out.append(f"| {nome} (forza esterna) | {n(F, 2)} | – | – | – | lavoro "
                   f"{n(L, 2)} |")
    return out


def ramo_sde(p):
    """The displacement spectrum's branch at the demand's period, in words and formula."""
    T = min(p["T"], p["TE"])
    if T < p["TB"]:
        return "primo ramo (T < TB): SDe = Se(T) · g · T² / (4π²)"
    if T < p["TC"]:
        return "ramo costante di Se (TB ≤ T < TC): SDe = ag · S · η · F0 · g · T² / (4π²)"
    if T < p["TD"]:
        return "ramo TC ≤ T < TD: SDe = ag · S · η · F0 · TC · g · T / (4π²)"
    return "ramo TD ≤ T ≤ TE: SDe = ag · S · η · F0 · TC · TD · g / (4π²), costante"


def passi_non_lineari(v, r, m, g):
    """The nonlinear check's steps of a block at ground: the curve, d0, each limit state's point,
    secant period, displacement demand and ζE."""
    nl = r["nl"]
    t, h = nl["t"], nl["h"]
    out = ["#### Analisi cinematica non lineare", "",
           f"Il blocco (t = {n(t, 3)} m, h = {n(h, 3)} m, il solo peso W) ruota di un angolo "
           "finito θ attorno allo spigolo esterno della base. Il baricentro G sta a "
           f"R = ½ · √(t² + h²) = **{n(nl['R'], 6)} m** dalla cerniera, con β = atan(t/h) = "
           f"**{n(nl['beta'], 6)} rad** dalla verticale. Nella configurazione ruotata il peso "
           "ha il braccio R · sin(β − θ) e la forza orizzontale α · W il braccio R · cos(β − θ); "
           "l'equilibrio alla rotazione [C8.7.1.2.1.8] dà:", "",
           "α(θ) = (t/2 · cos θ − h/2 · sin θ) / (h/2 · cos θ + t/2 · sin θ) = tan(β − θ)", "",
           "Il punto di controllo è il baricentro, che si sposta in orizzontale di "
           "d(θ) = R · (sin β − sin(β − θ)); una sola massa: e* = 1 e d/dC = W · δx² / "
           "(δx · W · δx) = 1 [C8.7.1.4], e a(d) = α(θ(d)) · g / (e* · FC) [C8.7.1.3] con "
           "sin(β − θ) = (t/2 − d) / R. α si annulla a θ0 = β = "
           f"**{n(nl['theta0'], 6)} rad**, quando G sta sulla verticale della cerniera: "
           f"d0 = R · sin β = t/2 = **{n(nl['d0'], 6)} m**, esattamente. A θ = 0 la curva "
           f"parte da a0* = {n(r['a0_star'], 5)} m/s².", ""]
    for st, quota, nome_T in (("SLV", "0,4", "[C8.7.1.10]"), ("SLC", "0,6", "[C8.7.1.11]")):
        p = nl[st]
        h_ = v[st]
        TB, TC, TD = p["TB"], p["TC"], p["TD"]
        out += [f"**{st}** (ξ = {n(p['xi'], 0)} %, ag = {n(h_['ag'], 5)} g, S = "
                f"{n(h_['S'], 4)}, F0 = {n(h_['F0'], 4)}, Tc* = {n(h_['Tc'], 4)} s):", "",
                f"- d_{st} = {quota} · d0 = **{n(p['d'], 6)} m**; sin(β − θ) = "
                f"({n(t / 2, 4)} − {n(p['d'], 4)}) / {n(nl['R'], 6)} = {n(p['sin_bt'], 6)}, "
                f"θ = {n(p['theta'], 6)} rad; α = tan(β − θ) = {n(p['alpha'], 6)}; "
                f"a(d_{st}) = {n(p['alpha'], 6)} · {n(g, 2)} / (1 · {n(m['FC'], 2)}) = "
                f"**{n(p['a'], 6)} m/s²**.",
                f"- T_{st} = {n(p['coeff'], 2)} · π · √(d_{st} / a(d_{st})) {nome_T} = "
                f"{n(p['coeff'], 2)} · π · √({n(p['d'], 6)} / {n(p['a'], 6)}) = "
                f"**{n(p['T'], 6)} s**.",
                f"- Domanda a terra: lo spettro di spostamento elastico del sito "
                f"SDe(T) = Se(T, ξ) · g · T² / (4π²) (NTC 2018 § 3.2.3.2.1 e § 3.2.3.2.3), "
                f"η = √(10 / (5 + {n(p['xi'], 0)})) = {n(p['eta'], 6)}, TB = {n(TB, 4)} s, "
                f"TC = {n(TC, 4)} s, TD = 4 · ag/g + 1,6 = {n(TD, 4)} s, TE = {n(p['TE'], 1)} s "
                f"e TF = {n(p['TF'], 1)} s (Tab. 3.2.VII, suolo {v['suolo']}). SDe cresce fino "
                "a TD ed è costante fra TD e TE: il massimo fra T0 = 0 e T_"
                f"{st} vale SDe(min(T_{st}; TE)), nel {ramo_sde(p)}: "
                f"Δd = **{n(p['D_chiuso'], 6)} m**; la scansione di [0; T_{st}] a 200 000 passi "
                f"dà {n(p['D'], 6)} m"
                + (f" a T = {n(p['T_D'], 6)} s = T_{st}." if p["T"] < TD else
                   f" (ogni T fra TD e T_{st} dà lo stesso valore)."),
                f"- ζE = d_{st} / Δd = {n(p['d'], 6)} / {n(p['D'], 6)} = "
                f"**{n(p['zeta'], 5)}**; ag,{st} di capacità = ζE · ag = "
                f"**{n(p['ag_cap'], 5)}** g"
                + ((" (minore di ag,SLD = " if p["da_SLD"] else " (non minore di ag,SLD = ")
                   + f"{n(v['SLD']['ag'], 5)} g" +
                   (": si prende ag,SLD, ζE = ag,SLD / ag,SLV)." if p["da_SLD"] else
                    ": resta).") if st == "SLV" else "."), ""]
    return out


def capitolo_meccanismo(numero, caso, cartella, riga, unita, g, v, attesi, prog):
    titolo, copre = TITOLI[caso]
    m = v["m"]
    ul, uf, ug = unita["lunghezze"], unita["forze"], unita["pesi_specifici"]
    out = [f"# {numero}. Caso {caso}: {titolo}", "", f"**Che cosa prova:** {copre}.", ""]
    out += ["## Dati", "",
            f"Commessa `docs/validazione/lavori/{caso}`: unità di lavoro {ul}, {uf}, {ug}, "
            f"g = {n(g, 2)} m/s². File sismica_2008.txt:", "", "```"]
    with open(os.path.join(cartella, "sismica_2008.txt"), encoding="cp1252") as f:
        out += [r for r in f.read().splitlines()[2:] if r.strip()]
    out += ["```", "", "Riga del calcolo a lotti (`riga.csv`, nelle unità di lavoro): le colonne "
            "non vuote usate dal meccanismo (le vuote valgono 0; le altre colonne del pannello, "
            "PVR, qa, L, t, fd, E, Z e i vincoli, ci sono ma il meccanismo non le usa):", ""]
    with open(os.path.join(cartella, "riga.csv")) as f:
        nomi, valori = list(csv.reader(f))[:2]
    usate = [(a, b) for a, b in zip(nomi, valori)
             if b.strip() and (a in MECCANISMO or a in RIUSATI or a in ("id", "domanda",
                                                                     "verifica"))]
    for i in range(0, len(usate), 10):
        parte = usate[i:i + 10]
        out += ["| " + " | ".join(a for a, _ in parte) + " |", "|" + "---|" * len(parte),
                "| " + " | ".join(b for _, b in parte) + " |", ""]
    out += pericolosita(v, riga)

    out += ["## La parete", "",
            f"Striscia di parete lunga B = {n(m['B'], 1)} cm; peso specifico "
            f"γ = {g6(m['gamma'])} daN/cm³; piani dal basso, la base della parete a "
            f"z0 = {n(m['z0'], 1)} cm dalla fondazione; il filo esterno è un solo piano "
            f"verticale (un piano più sottile arretra sul filo interno), u è la distanza dal filo "
            f"esterno verso l'interno. Nelle unità di base (cm, daN):", "",
            "| piano | h [cm] | t [cm] | W = γ · t · h · B [daN] | N [daN] | dN [cm] | F [daN] | "
            "catena [daN] |", "|---|---|---|---|---|---|---|---|"]
    for i in range(m["piani"]):
        out.append(f"| {i + 1} | {n(m['h'][i], 1)} | {n(m['t'][i], 1)} | {n(m['W'][i], 2)} | "
                   f"{n(m['N'][i], 1)} | {n(m['dN'][i], 1)} | {n(m['F'][i], 1)} | "
                   f"{n(m['catena'][i], 1)} |")
    out += ["", f"N, F e catena agiscono in sommità del piano; N a dN dal filo esterno; F spinge "
            f"verso l'esterno, la catena tira verso l'interno. LC{m['LC']}: FC = "
            f"{n(m['FC'], 2)}. H = {n(m['H'], 1)} cm.", ""]

    if v["verifica"] == "elemento_libero" and m["appoggiato"] == 1:
        r = v["mecc"][0]
        h, t = m["h"][0], m["t"][0]
        out += ["## Elemento libero di vibrare, trattenuto in sommità", "",
                "L'elemento (il piano della parete) è trattenuto alla base e in sommità, e si "
                "attiva con la flessione verticale del piano: cerniera A alla base sul filo "
                "esterno, C alla quota h1 sul filo interno, D in sommità sul filo esterno, "
                "trattenuta in orizzontale e libera di salire. Alla rotazione virtuale unitaria "
                "del blocco inferiore il blocco superiore (h2 = h − h1) ruota di h1/h2 attorno a "
                "D; i baricentri dei due blocchi si spostano in fuori di h1/2 e salgono di t/2 "
                "(blocco 1) e di t · (h1/2 + h2) / h2 (blocco 2). L'elemento porta solo il suo "
                "peso; con w = γ · t · B:", "",
                "α0(h1) = [w · h1 · t/2 + w · h2 · t · (h1/2 + h2) / h2] / (w · h · h1 / 2)",
                "       = w · t · h / (w · h · h1 / 2) = 2 · t / h1", "",
                "decrescente in h1: minimizzato su h1 = 1, 2, 3, … mm fino a h − 1 mm, il "
                f"minimo sta all'ultimo passo, h1 = **{n(r['h1'], 1)} cm**, α0 = 2 · "
                f"{n(t, 1)} / {n(r['h1'], 1)} = {n(r['alpha0'], 6)} (la funzione continua "
                f"tende a 2 · t/h = {n(2 * t / h, 6)} per h1 → h; la sezione aurea si ferma a "
                f"h1 = {n(r['h1_continuo'], 4)} cm). e* = 1 per ogni h1 (i due baricentri si "
                "spostano entrambi di h1/2); M* = e* · (W1 + W2) / g; a0* = α0 · g / "
                "(e* · FC).", "",
                "Prima dell'attivazione l'elemento risponde come un oscillatore elastico di "
                "periodo [C8.7.1.7] T0 = κ · λ · L · √(W / (E · g)), κ = 2,2 per l'elemento "
                "appoggiato alle due estremità, λ = L/t, W il peso specifico in kN/m³ e E il "
                "modulo elastico in kN/m²: T0 = 2,2 · "
                f"{n(r['lambda'], 4)} · {n(h / 100, 3)} · √({g6(m['gamma'] * 1e4)} / "
                f"({g6(m['Em'] * 100)} · {n(g, 2)})) = **{n(r['T0'], 6)} s**; spostamento al "
                f"limite elastico dy = a0* · T0² / (4π²) [C8.7.1.6] = {g6(r['d_y'], 5)} m. "
                "La domanda è lo spettro di piano alla quota z0 della base al periodo T0 "
                "(ξ = 5 %, [C8.7.1.9]), non meno di ag · S e, come legge il programma, dello "
                "spettro elastico del sito Se(T0); la capacità è a0*, allo SLV con q = 2.", ""]
    elif v["verifica"] == "elemento_libero":
        r = v["mecc"][0]
        out += ["## Elemento libero di vibrare", "",
                "L'elemento (il piano della parete, a mensola dalla base) ruota attorno allo "
                "spigolo esterno della base come un solo blocco: α0 = (W · t/2) / (W · L/2) = "
                "t/L, e* = 1 (un solo peso). Prima dell'attivazione risponde come un "
                "oscillatore elastico di periodo [C8.7.1.7] T0 = κ · λ · L · √(W / (E · g)), "
                "κ = 6,2 per la mensola, λ = L/t, W il peso specifico in kN/m³ e E il modulo "
                "elastico in kN/m²: T0 = 6,2 · "
                f"{n(r['lambda'], 4)} · {n(m['h'][0] / 100, 3)} · √({g6(m['gamma'] * 1e4)} / "
                f"({g6(m['Em'] * 100)} · {n(g, 2)})) = **{n(r['T0'], 6)} s**. La domanda è lo "
                "spettro di piano alla quota z della base al periodo T0 (ξ = 5 %, [C8.7.1.9]), "
                "non meno di ag · S e, come legge il programma, dello spettro elastico del sito "
                "Se(T0); la capacità è a0* = α0 · g / (e* · FC), allo SLV con q = 2.", ""]
    elif v["verifica"] in ("ribaltamento", "ribaltamento_composto"):
        out += ["## Ribaltamento semplice: il principio dei lavori virtuali", "",
                "Per il meccanismo k i piani da k in su ruotano come un solo blocco rigido "
                "attorno alla cerniera sul filo esterno della base del piano k, alla quota z = "
                "z0 + somma delle altezze dei piani sotto k. Alla rotazione virtuale unitaria un "
                "punto a quota y sopra la cerniera e a distanza u dal filo esterno si sposta in "
                "fuori di δx = y e sale di δy = u. Il peso W_i sta a metà del piano "
                "(u = t_i/2), il carico N_i in sommità del piano (u = dN_i); la spinta F_i, "
                "concorde con lo spostamento, fa il lavoro positivo F_i · y; la catena, che "
                "tira verso l'interno mentre il suo punto va in fuori, fa il lavoro negativo "
                "−catena_i · y. [C8.7.1.1], con L_i = 0 senza ammorsamento:", "",
                "α0 = (Σ P_k · δy,k − Σ F_k · δF,k) / Σ (P_k + Q_k) · δx,k", "",
                "dove F_k · δF,k è il lavoro della forza esterna k (positivo quando lo "
                "spostamento del suo punto è concorde): la spinta abbassa α0, la catena lo "
                "alza (−F · δF = +catena · y). e* dalla [C8.7.1.5] sui carichi del blocco, "
                "e* = [Σ(P+Q) · δx]² / ([Σ(P+Q)] · [Σ(P+Q) · δx²]): anche per un solo blocco "
                "vale meno di 1 quando i carichi stanno a quote diverse. M* = e* · Σ(P+Q) "
                "/ g; a0* = α0 · g / (e* · FC) [C8.7.1.3].", ""]
        if m["ammorsamenti"] > 0:
            out += ["## L'attrito dell'ammorsamento", "",
                    f"La parete è ammorsata a {m['ammorsamenti']} "
                    + ("parete ortogonale" if m["ammorsamenti"] == 1 else "pareti ortogonali")
                    + f" (Circolare 2019 § C8.7.1.2.1.1): hb = {n(m['hb'], 1)} cm, lb = "
                    f"{n(m['lb'], 1)} cm, ts = {n(m['ts'], 1)} cm, μ = {n(m['mu'], 3)}, w = γ. "
                    "Per la cerniera alla base del piano k la lesione a pettine corre lungo "
                    "l'altezza h della parte che ribalta; n = h/hb (non arrotondato), Φ = hb/lb, "
                    "F = 0,4 · n · (n + 1) · Φ · μ · lb² · ts · w per parete [C8.7.1.2], "
                    "orizzontale e opposta al moto, a h/3 sopra la cerniera: il suo lavoro per "
                    "la rotazione unitaria è L_i = pareti · F · h/3, che nella tabella dei "
                    "termini compare come forza esterna di lavoro −L_i (−F · δF = +L_i).", ""]
        if v["verifica"] == "ribaltamento_composto":
            out += ["## Il cuneo delle pareti ortogonali", "",
                    f"La parete trascina il cuneo di {m['lati_cuneo']} "
                    + ("parete ortogonale" if m["lati_cuneo"] == 1 else "pareti ortogonali")
                    + f" di spessore ts = {n(m['ts'], 1)} cm e peso specifico γ, staccato da una "
                    f"lesione che parte dalla cerniera sul filo interno e sale con β = "
                    f"{n(m['beta'], 1)}° dalla verticale fino alla sommità. Accanto al piano i "
                    "il cuneo è un trapezio di altezza h_i e larghezze a = y0 · tan β, b = y1 · "
                    "tan β dal filo interno (y0 e y1 la base e la cima del piano sopra la "
                    "cerniera): area h_i · (a + b)/2, W = lati · γ · ts · area, baricentro a "
                    "y0 + h_i · (a + 2b) / [3 (a + b)] sopra la cerniera (δx) e a t_i + (a² + ab "
                    "+ b²) / [3 (a + b)] dal filo esterno (δy). I pezzi C ruotano con il blocco "
                    "ed entrano in e* e in M* come gli altri pesi.", ""]
    else:
        r = v["mecc"][0]
        h, t = m["h"][0], m["t"][0]
        out += ["## Flessione verticale: il principio dei lavori virtuali", "",
                "La parete del piano è trattenuta alla base e in sommità (dal solaio) e si apre "
                "in due blocchi: cerniera A alla base sul filo esterno, cerniera C alla quota h1 "
                "sul filo interno, cerniera D in sommità sul filo esterno; D non si sposta in "
                "orizzontale ed è libera di salire. Alla rotazione virtuale unitaria del blocco "
                "inferiore attorno ad A, C va in fuori di h1 e sale di t; il blocco superiore "
                "(h2 = h − h1) ruota in verso opposto di h1/h2 attorno a D, che sale di "
                "t · h / h2. Un punto del blocco superiore alla quota y e a distanza u dal filo "
                "esterno si sposta di δx = (h1/h2) · (h − y), δy = t · h / h2 − (h1/h2) · u:", "",
                "| punto | δx | δy |", "|---|---|---|",
                "| baricentro del blocco 1 (u = t/2, y = h1/2) | h1/2 | t/2 |",
                "| baricentro del blocco 2 (u = t/2, y = h1 + h2/2) | h1/2 | "
                "t · (h1/2 + h2) / h2 |",
                "| carico N in sommità (u = dN, y = h) | 0 | (t · h − h1 · dN) / h2 |", "",
                "La spinta F e la catena agiscono in D, che non si sposta in orizzontale: lavoro "
                "nullo. Con w = γ · t · B il peso per unità di altezza, W1 = w · h1, W2 = w · h2:",
                "", "α0(h1) = [w · t · h + N · (t · h − h1 · dN) / (h − h1)] / (w · h · h1 / 2)",
                "",
                f"minimizzato su h1 = 1, 2, 3, … mm fino a h − 1 mm: h1 = **{n(r['h1'], 1)} cm** "
                f"(il minimo della funzione continua, per sezione aurea, sta a "
                f"{n(r['h1_continuo'], 4)} cm, con α0 minore di "
                f"{g6(r['alpha0'] - r['alpha0_continuo'], 2)}).", "",
                "e* di due blocchi con la [C8.7.1.5], e* = [Σ(P+Q) · δx]² / ([Σ(P+Q)] · "
                "[Σ(P+Q) · δx²]), sulle masse che il meccanismo muove: i baricentri dei due "
                "blocchi si spostano entrambi di h1/2, e quindi e* = 1 per ogni h1. Il carico N "
                "sta in D, che il solaio trattiene in orizzontale: la sua massa è portata dal "
                "solaio, la sua forza sismica α0 · N non fa lavoro, ed è fuori dalle somme di "
                "e* e di M*; se vi entrasse con δx = 0, e* scenderebbe a "
                f"{n(r['e_tutti'], 4)} e a0* salirebbe di 1/{n(r['e_tutti'], 4)}, dalla parte "
                "non sicura. M* = e* · (W1 + W2) / g; a0* = α0 · g / (e* · FC).", ""]

    for r in v["mecc"]:
        out += [f"### {r['name'][0].upper() + r['name'][1:]} (piano {r['storey']}, cerniera a "
                f"z = {n(r['z'], 1)} cm)", ""]
        if r.get("attrito"):
            a = r["attrito"]
            out += [f"Ammorsamento: h = {n(a['h'], 1)} cm, n = {n(a['n'], 4)}, Φ = "
                    f"{n(a['phi'], 4)}, F = 0,4 · {n(a['n'], 4)} · {n(a['n'] + 1, 4)} · "
                    f"{n(a['phi'], 4)} · {n(m['mu'], 3)} · {n(m['lb'], 1)}² · {n(m['ts'], 1)} · "
                    f"{g6(m['gamma'])} = {n(a['F1'], 2)} daN per parete; L_i = "
                    f"{m['ammorsamenti']} · {n(a['F1'], 2)} · {n(a['braccio'], 4)} = "
                    f"**{n(a['Li'], 2)} daN·cm** = {n(a['Li'] * 1e-4, 4)} kN·m.", ""]
        if r.get("cuneo"):
            out += ["| pezzo | a [cm] | b [cm] | area [cm²] | W [daN] | δx [cm] | δy [cm] |",
                    "|---|---|---|---|---|---|---|"]
            out += [f"| {c['nome']} | {n(c['a'], 3)} | {n(c['b'], 3)} | {n(c['area'], 1)} | "
                    f"{n(c['P'], 2)} | {n(c['dx'], 4)} | {n(c['dy'], 4)} |" for c in r["cuneo"]]
            out += ["", f"W del cuneo = **{n(r['W_cuneo'], 2)} daN**.", ""]
        out += termini(r["pesi"], r["forze"])
        stab, lav, rib = r["stab"], r["lav"], r["ribal"]
        out += ["", f"- Σ P · δy = {' + '.join(n(P * dy, 2) for _, P, _, dy in r['pesi'])} = "
                f"{n(stab, 2)} daN·cm; lavoro delle forze esterne Σ F · δF = "
                + (" + ".join(f"({n(L, 2)})" for _, _, L in r["forze"]) + f" = {n(lav, 2)}"
                   if r["forze"] else "0")
                + f" daN·cm; Σ (P+Q) · δx = "
                f"{' + '.join(n(P * dx, 2) for _, P, dx, _ in r['pesi'] if dx)} = "
                f"{n(rib, 2)} daN·cm.",
                f"- α0 = ({n(stab, 2)} − ({n(lav, 2)})) / {n(rib, 2)} = **{n(r['alpha0'], 6)}**"
                + (" (≤ 0: il meccanismo è attivo senza sisma)" if r["attivo"] else "") + ".",
                f"- e* = **{n(r['e_star'], 4)}**"
                + f"; Σ(P+Q) = {n(r['sommaP'], 2)} daN = {n(r['sommaP'] / 100, 4)} kN; "
                f"M* = {n(r['e_star'], 4)} · {n(r['sommaP'] / 100, 4)} / {n(g, 2)} = "
                f"**{n(r['M_star'], 5)} t**.",
                f"- a0* = {n(r['alpha0'], 6)} · {n(g, 2)} / ({n(r['e_star'], 4)} · "
                f"{n(m['FC'], 2)}) = **{n(r['a0_star'], 5)} m/s²**.", ""]
        for stato in ("SLD", "SLV"):
            d = r["dom_" + stato]
            if r.get("T0"):
                testo = (f"{d['formula']} al periodo T0 = {n(d['Ta'], 5)} s, z/H = "
                         f"{n(d['zH'], 5)}: formula {n(d['Sa_formula'], 5)}, ag · S = "
                         f"{n(d['aS'], 5)}, Se(T0) del sito = {n(d['Se_T0'], 5)}; il maggiore")
                out.append(f"- Domanda {stato}: {testo}: **{n(d['Sa'], 5)}**.")
                continue
            if d["formula"] == "C7.2.11":
                testo = (f"C7.2.11 a Ta = 0 (primo tratto, denominatore ap): ag · S · "
                         f"(1 + z/H) = {n(d['aS'], 5)} · (1 + {n(d['zH'], 5)}) = "
                         f"{n(d['Sa_formula'], 5)}")
            else:
                testo = (f"C7.2.5 a Ta = 0 (primo tratto, denominatore A): aZ = Se(Tk, ξk) · "
                         f"γ1 · z/H · √(1 + 0,0004 · ξk²) = {n(d['Se_k'], 5)} · "
                         f"{n(d['gamma1'], 5)} · {n(d['zH'], 5)} · {n(d['radice'], 5)} = "
                         f"{n(d['Sa_formula'], 5)} (n = {d['npiani']}, ξk = {n(d['xi'], 1)} %, "
                         + (f"Tk = {n(d['Tk'], 2)} s dato" if d["Tk_dato"] else
                            f"Tk = T1 = {n(d['Tk'], 2)} s") + ")")
            testo += (f", non meno di Se(0) = ag · S = {n(d['aS'], 5)}: **{n(d['Sa'], 5)}**")
            out.append(f"- Domanda {stato} alla quota z: {testo}.")
        out += [f"- ζ_SLD = a0* / (domanda SLD · g) = {n(r['a0_star'], 5)} / "
                f"({n(r['demand_SLD'], 5)} · {n(g, 2)}) = **{n(r['zeta_SLD'], 5)}**; "
                f"ag,SLD di capacità = ζ_SLD · ag = **{n(r['ag_cap_SLD'], 5)}** g.",
                f"- ζ_SLV = q · a0* / (domanda SLV · g) = 2 · {n(r['a0_star'], 5)} / "
                f"({n(r['demand_SLV'], 5)} · {n(g, 2)}) = **{n(r['zeta_SLV'], 5)}** "
                f"(q = 2, C8.7.1.2.1.7); ag,SLV di capacità = ζ_SLV · ag = "
                f"**{n(r['ag_cap_SLV'], 5)}** g.", ""]
        if r["nl"] is not None:
            out += passi_non_lineari(v, r, m, g)
    gov = v["mecc"][v["governing"]]
    out += ["## Esito", ""]
    if len(v["mecc"]) > 1:
        out += ["| meccanismo | α0 | a0* [m/s²] | ζ_SLD | ζ_SLV |", "|---|---|---|---|---|"]
        for r in v["mecc"]:
            out.append(f"| {r['name']} | {n(r['alpha0'], 6)} | {n(r['a0_star'], 5)} | "
                       f"{n(r['zeta_SLD'], 5)} | {n(r['zeta_SLV'], 5)} |")
        out += [""]
    out += [f"Governa **{gov['name']}** (ζ_SLV minore, indice {v['governing']} dell'elenco): "
            f"ζ_SLV = {n(gov['zeta_SLV'], 5)} {'≥' if gov['zeta_SLV'] >= 1 else '<'} 1: "
            f"**\"{v['verdict']}\"**; allo SLD ζ_SLD = {n(gov['zeta_SLD'], 5)}: "
            f"\"{v['verdict_SLD']}\".", ""]
    if gov["nl"] is not None:
        nl = gov["nl"]
        out[-2] = (f"Governa **{gov['name']}** (indice {v['governing']} dell'elenco). Con "
                   f"l'analisi non lineare l'esito allo SLV è quello della verifica in "
                   f"spostamento: ζE = {n(nl['SLV']['zeta'], 5)} "
                   f"{'≥' if nl['SLV']['zeta'] >= 1 else '<'} 1: **\"{v['verdict']}\"** (la "
                   f"verifica lineare dava ζ_SLV = {n(gov['zeta_SLV'], 5)}); allo SLC ζE = "
                   f"{n(nl['SLC']['zeta'], 5)}: **\"{v['verdict_SLC']}\"**; allo SLD "
                   f"ζ_SLD = {n(gov['zeta_SLD'], 5)}: \"{v['verdict_SLD']}\".")

    out += ["## Confronto con il programma", "",
            "Valori del programma da `torvelando-cli check --json --kind "
            f"{v['verifica']}` (campo `results`, non arrotondati); il confronto è superato "
            "quando il programma dista dal valore stampato al più la tolleranza.", "",
            "| grandezza | calcolo | programma | differenza | tolleranza |",
            "|---|---|---|---|---|"]
    r_prog = (prog or {}).get("results") or {}
    mecc_prog = r_prog.get("mechanisms") or []
    fuori = []
    for nome, testo in attesi:
        if nome in NOMI_SITO:
            etichetta, p = NOMI_SITO[nome], r_prog.get(nome)
        elif nome.startswith("k") and nome.partition("_")[2] in NOMI_MECC:
            piano, _, q = nome.partition("_")
            mp = next((x for x in mecc_prog if x.get("storey") == int(piano[1:])), {})
            etichetta, p = f"{NOMI_MECC[q]}, piano {piano[1:]}", valore_json(mp, q)
        else:
            continue
        dec = len(testo.split(".")[1]) if "." in testo else 0
        tol = 0.5 * 10 ** -dec
        if testo in ("true", "false"):
            uguale = p is (testo == "true")
            if not uguale:
                fuori.append(etichetta)
            out.append(f"| {etichetta} | {'sì' if testo == 'true' else 'no'} | "
                       f"{ {True: 'sì', False: 'no'}.get(p, '–') } | "
                       f"{'uguale' if uguale else 'DIVERSO'} | |")
            continue
        if isinstance(p, (int, float)) and not isinstance(p, bool):
            diff = g6(p - float(testo), 2)
            if abs(p - float(testo)) > tol * (1 + 1e-9) + 1e-12:
                fuori.append(etichetta)
            p = n(p, dec + 3)
        else:
            diff, p = "–", "–"
            fuori.append(etichetta)
        out.append(f"| {etichetta} | {testo.replace('.', ',')} | {p} | {diff} | "
                   f"{n(tol, dec + 1)} |")
    esito_p = r_prog.get("verdict")
    esito_p = {True: "> : OK", False: "< : !!!"}.get(esito_p, "–")
    out.append(f"| esito | {v['verdict']} | {esito_p} | "
               f"{'uguale' if esito_p == v['verdict'] else 'DIVERSO'} | |")
    if esito_p != v["verdict"]:
        fuori.append("esito")
    if "verdict_SLC" in v:
        esito_c = {True: "> : OK", False: "< : !!!"}.get(r_prog.get("verdict_SLC"), "–")
        out.append(f"| esito SLC | {v['verdict_SLC']} | {esito_c} | "
                   f"{'uguale' if esito_c == v['verdict_SLC'] else 'DIVERSO'} | |")
        if esito_c != v["verdict_SLC"]:
            fuori.append("esito SLC")
    out += ["", "(La differenza è fra il programma e il valore stampato.)", ""]
    if fuori:
        out += [f"**Fuori tolleranza o mancanti:** {', '.join(fuori)}. Il programma con cui è "
                f"stata scritta questa edizione non supera il caso.", ""]
        gov, gov_p = v["mecc"][v["governing"]], (mecc_prog or [{}])[r_prog.get("governing", 0)]
        h1_p = gov_p.get("h1")
        if gov["h1"] is not None and isinstance(h1_p, (int, float)) and \
                abs(h1_p * 100.0 - gov["h1"]) > 0.05:
            # The program's h1 worked through the same formulas: is the step the only difference?
            pesi, forze = calcolo.flessione(m, gov["storey"], h1_p * 100.0)
            a_p = calcolo.alfa0_di(pesi, forze)[0]
            out += [f"Il programma prende h1 = {n(h1_p * 100.0, 1)} cm invece di "
                    f"{n(gov['h1'], 1)} cm, il minimo sul passo di 1 mm; a quel h1 le stesse "
                    f"formule danno α0 = {n(a_p, 6)} (programma {n(gov_p.get('alpha0'), 6)}): "
                    "lo scarto viene dal solo h1, e da α0 passa ad a0*, ζ e ag di capacità.", ""]
    else:
        out += ["Tutti i valori del programma sono entro la tolleranza.", ""]
    return out


def capitolo(numero, caso, cartella, riga, unita, g, v, attesi, prog, scarti):
    titolo, copre = TITOLI[caso]
    fl, ff, fp, fs = v["fattori"]
    uf, ul, us = unita["forze"], unita["lunghezze"], unita["tensioni"]
    out = [f"# {numero}. Caso {caso}: {titolo}", "", f"**Che cosa prova:** {copre}.", ""]
    out += ["## Dati", "",
            f"Commessa `docs/validazione/lavori/{caso}`: unità di lavoro {ul}, {uf}, "
            f"{unita['pesi_specifici']}, {us}, g = {n(g, 2)} m/s². File sismica_2008.txt:", "",
            "```"]
    with open(os.path.join(cartella, "sismica_2008.txt"), encoding="cp1252") as f:
        out += [r for r in f.read().splitlines()[2:] if r.strip()]
    out += ["```", "", "Riga del calcolo a lotti (`riga.csv`, nelle unità di lavoro), qui in due "
            "metà:", ""]
    with open(os.path.join(cartella, "riga.csv")) as f:
        nomi, valori = list(csv.reader(f))[:2]
    for parte in (slice(0, 11), slice(11, None)):
        out += ["| " + " | ".join(nomi[parte]) + " |", "|" + "---|" * len(nomi[parte]),
                "| " + " | ".join(valori[parte]) + " |", ""]
    out += ["## Pericolosità del sito", ""]
    PVR = float(riga["PVR"])
    out += [f"- VR = max(VN · Cu; 35) = max({riga['VN']} · {riga['Cu'].replace('.', ',')}; 35) = "
            f"**{n(v['VR'], 1)} anni**; TR = −VR / ln(1 − {n(PVR / 100, 2)}) = "
            f"{n(v['TR_grezzo'], 2)} → **{v['TR']} anni**"
            + (" (limitato a 30)" if v["TR_grezzo"] < 29.5 else "") + "."]
    if v["gms"]:
        for nome, testo, valore in (("lat.", riga["lat"], v["lat_scritta"]),
                                    ("long.", riga["lon"], v["lon_scritta"])):
            parti = testo.replace("°", " ").replace("'", " ").replace('"', " ").split()
            out.append(f"- {nome} {testo} = {parti[0]} + {parti[1]}/60 + {parti[2]}/3600 = "
                       f"**{n(valore, 6)}°**" + (";" if nome == "lat." else " (ED50)."))
    if v["datum"] == "WGS84":
        (X, Y, Z), (X5, Y5, Z5) = v["geocentriche"]
        out += [f"- Coordinate scritte in WGS84 (lat. {n(v['lat_scritta'], 4)}, long. "
                f"{n(v['lon_scritta'], 4)}, quota ellissoidica 0): geocentriche sull'ellissoide "
                f"WGS84 (a = 6378137 m, 1/f = 298,257223563) X = {n(X, 3)}, Y = {n(Y, 3)}, "
                f"Z = {n(Z, 3)} m; la trasformazione EPSG:1133 (da ED50 a WGS84: −87, −98, −121 m) "
                f"si inverte sommando (87; 98; 121): X = {n(X5, 3)}, Y = {n(Y5, 3)}, "
                f"Z = {n(Z5, 3)} m; le coordinate geodetiche sull'ellissoide internazionale 1924 "
                f"(a = 6378388 m, 1/f = 297), per iterazione della latitudine, sono "
                f"**lat. {n(v['lat'], 6)}, long. {n(v['lon'], 6)}** (ED50)."]
    if v["nodi"]:
        lati = calcolo.distanze_lati(v["nodi"], v["lat"], v["lon"])
        vicino = min(lati, key=lati.get)
        out += [f"- Maglia del reticolo che contiene il sito: nodi NW c, NE c + 1, SW c + 222, "
                f"SE c + 223 con c = {v['nodi'][2][0]}; il sito sta dentro il quadrilatero dei "
                f"quattro nodi (bordo compreso), nel piano in cui un grado di longitudine vale "
                f"cos(lat.) gradi di latitudine, a {n(lati[vicino], 0)} m dal lato {vicino} "
                f"(dagli altri lati: "
                + ", ".join(f"{k} {n(lati[k], 0)} m" for k in ("sud", "est", "nord", "ovest")
                            if k != vicino)
                + "). Distanze sulla sfera di raggio 6371 km:", "",
                "| nodo | codice | long. | lat. | d [km] | 1/d |", "|---|---|---|---|---|---|"]
        for nome, nodo in zip(("SW", "SE", "NW", "NE"), v["nodi"]):
            out.append(f"| {nome} | {nodo[0]} | {n(nodo[1], 4)} | {n(nodo[2], 4)} | "
                       f"{n(nodo[3], 3)} | {n(1 / nodo[3], 5)} |")
        out += ["", f"- Media pesata con 1/d al periodo TR1 = {v['TR1']}: ag/g = "
                f"{n(v['ag1'], 5)}, F0 = {n(v['F01'], 4)}"
                + (f", Tc* = {n(v['Tc1'], 4)} s." if v["domanda"] == "C7.2.5" else ".")]
    else:
        out += [f"- Il sito non ha quattro nodi del reticolo attorno: zona **{v['fonte']}** della "
                f"Tabella 2; a TR1 = {v['TR1']}: ag/g = {n(v['ag1'], 4)}, F0 = {n(v['F01'], 3)}."]
    if v["TR1"] != v["TR2"]:
        out += [f"- A TR2 = {v['TR2']}: ag/g = {n(v['ag2'], 5)}, F0 = {n(v['F02'], 4)}; in scala "
                f"logaritmica, con log(TR/TR1)/log(TR2/TR1) = "
                f"{n(math.log(v['TR'] / v['TR1']) / math.log(v['TR2'] / v['TR1']), 5)}:"]
    out += [f"- **ag/g = {n(v['ag'], 5)}**, **F0 = {n(v['F0'], 4)}**.",
            f"- Suolo {riga['suolo']}: Ss = "
            + (f"{SS[riga['suolo']][0]} − {SS[riga['suolo']][1]} · {n(v['F0'], 4)} · "
               f"{n(v['ag'], 5)} = " if SS[riga['suolo']] else "")
            + (f"{n(v['Ss_grezzo'], 4)}, limitato a **{n(v['Ss'], 2)}**"
               if abs(v['Ss'] - v['Ss_grezzo']) > 1e-12 else f"**{n(v['Ss'], 4)}**")
            + f"; St = {n(v['St'], 2)}; **S = {n(v['S'], 4)}**; α · S = {n(v['aS'], 5)}.", ""]

    out += ["## Azione sul pannello", ""]
    B, L, t = float(riga["B"]), float(riga["L"]), float(riga["t"])
    out += [
            f"- Nelle unità di base (cm, daN): B = {n(B * fl, 1)} cm, L = {n(L * fl, 1)} cm, "
            f"t = {n(t * fl, 1)} cm, γ = {g6(float(riga['gamma']) * fp)} daN/cm³, "
            f"fd = {n(float(riga['fd']) * fs, 4)} daN/cm², E = {n(float(riga['E']) * fs, 1)} "
            f"daN/cm².",
            f"- W = L · B · t · γ = **{n(v['W'], 3)} daN** = {n(v['W_u'], 4)} {uf}.",
            f"- Vincoli (sommità, sinistra, destra) = ({riga['top']}, {riga['left']}, "
            f"{riga['right']}), {REGOLA[(riga['top'], riga['left'], riga['right'])]}: "
            f"quota verticale {n(v['qv'], 4)}, quota orizzontale "
            f"{n(v['qo'], 4)}; B² · {n(v['qo'], 4)} = {n(B * B * fl * fl * v['qo'], 1)} e "
            f"L² · {n(v['qv'], 4)} = {n(L * L * fl * fl * v['qv'], 1)}: il pannello lavora con "
            f"luce **{v['span']}**, l_a = {n(v['la'], 1)} cm, quota {n(v['quota'], 4)}, "
            f"Wa = {n(v['Wa'], 3)} daN."]
    if v["mensola"]:
        out[-1] = (f"- Vincoli (sommità, sinistra, destra) = (0, 0, 0): mensola incastrata alla "
                   f"base, luce L, l_a = {n(v['la'], 1)} cm, Wa = W = {n(v['Wa'], 3)} daN.")
        out += [f"- m = γ · t · B / 981 = {g6(v['m'])} daN·s²/cm²; J = B · t³ / 12 = "
                f"{n(v['J'], 1)} cm⁴; Ta = (2π / 1,8751040687119611²) · L² · √(m / (E · J)) = "
                f"**{n(v['Ta'], 5)} s**."]
    else:
        out += [
            f"- J = t³ · b / 12 = {n(v['J'], 1)} cm⁴ (b = {n(v['b'], 1)} cm); Ta = √(l_a³ · quota "
            f"· W / (E · J · 981)) / (π/2) = √({n(v['la'], 1)}³ · {n(v['quota'], 4)} · "
            f"{n(v['W'], 3)} / ({n(float(riga['E']) * fs, 1)} · {n(v['J'], 1)} · 981)) / (π/2) "
            f"= **{n(v['Ta'], 5)} s**."]
    if v["domanda"] == "C7.2.5":
        Zh = float(riga["Z"]) / float(riga["H"])
        out += [f"- Spettro elastico del sito (NTC 2018 § 3.2.3.2.1): Tc* = {n(v['Tc'], 4)} s, "
                f"TB = {n(v['TB'], 4)} s, TC = {n(v['TC'], 4)} s, TD = {n(v['TD'], 4)} s.",
                f"- Circolare C7.2.5, n = {v['npiani']}, ξk = {n(v['xi'], 1)} %, Tk = "
                + (f"{n(v['Tk'], 2)} s (dato)" if v["Tk_dato"] else
                   f"T1 = {n(v['Tk'], 2)} s (campo vuoto)")
                + f": η(ξk) = {n(v['eta_k'], 5)}, Se(Tk, ξk) = {n(v['Se_k'], 5)}; γ1 = 3n / "
                f"(2n + 1) = {n(v['gamma1'], 5)}; √(1 + 0,0004 · ξk²) = {n(v['radice'], 5)}; "
                f"aZ = Se(Tk, ξk) · γ1 · Z/H · √(…) = {n(v['Se_k'], 5)} · {n(v['gamma1'], 5)} · "
                f"{n(Zh, 5)} · {n(v['radice'], 5)} = {n(v['aZ'], 5)}; A = 1,1 · "
                f"{n(v['xi'] / 100, 2)}^−0,5 = {n(v['A'], 5)}.",
                f"- 0,8 · Tk = {n(0.8 * v['Tk'], 4)} s, 1,1 · Tk = {n(1.1 * v['Tk'], 4)} s, "
                f"Ta = {n(v['Ta'], 5)} s: "
                + {1: f"primo tratto, S_eZ = A · aZ / [1 + (A − 1) · (1 − Ta/(0,8 · Tk))^1,6] "
                      f"= {n(v['SeZ'], 5)}",
                   2: f"tratto costante, S_eZ = A · aZ = {n(v['SeZ'], 5)}",
                   3: f"terzo tratto, S_eZ = A · aZ / [1 + (A − 1) · (Ta/(1,1 · Tk) − 1)^1,2] "
                      f"= {n(v['SeZ'], 5)}"}[v["tratto"]]
                + (f"; Ta > Tk: S_eZ non meno di Se(Ta, 5 %) = {n(v['Se_a'], 5)}, che governa "
                   f"(Sa = {n(v['Sa_formula'], 5)})" if v["Se_a"] is not None and
                   v["Se_a"] > v["SeZ"] else
                   f"; Ta > Tk: Se(Ta, 5 %) = {n(v['Se_a'], 5)}, minore" if v["Se_a"] is not None
                   else "; Ta ≤ Tk: nessun minimo Se(Ta)")]
    elif "fattore" in v:
        out += [f"- EC8, T1 = {riga['T1'].replace('.', ',')} s, Z/H = "
                f"{n(float(riga['Z']) / float(riga['H']), 5)}, Ta/T1 = "
                f"{n(v['Ta'] / float(riga['T1']), 5)}: "
                f"3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5 = {n(v['fattore'], 5)}; "
                f"Sa = α · S · {n(v['fattore'], 5)} = {n(v['Sa_formula'], 5)}"]
    else:
        out += [f"- Circolare C7.2.11, T1 = {riga['T1'].replace('.', ',')} s, Z/H = "
                f"{n(float(riga['Z']) / float(riga['H']), 5)}: a = {n(v['c7a'], 1)}, "
                f"b = {n(v['c7b'], 1)}, ap = {n(v['ap'], 1)}; a · T1 = "
                f"{n(v['c7a'] * float(riga['T1']), 3)} s, b · T1 = "
                f"{n(v['c7b'] * float(riga['T1']), 3)} s: tratto {v['tratto']}, denominatore "
                f"{n(v['den'], 5)}; Sa = α · S · (1 + Z/H) · ap / {n(v['den'], 5)} = "
                f"{n(v['Sa_formula'], 5)}"]
    out[-1] += (f", minore di α · S: **Sa = {n(v['Sa'], 5)}**." if v["Sa_formula"] < v["aS"]
                else f": **Sa = {n(v['Sa'], 5)}**.")
    out += [f"- Fa = Sa · Wa / qa = {n(v['Sa'], 5)} · {n(v['Wa'], 3)} / {riga['qa']} = "
            f"**{n(v['Fa'], 3)} daN** = {n(v['Fa_u'], 4)} {uf}.", ""]

    if v["mensola"]:
        fd = float(riga["fd"]) * fs
        out += ["## Resistenza a ribaltamento", "",
                f"- N = W = {n(v['N'], 3)} daN; σ0 = N / (B · t) = {n(v['sigma0'], 4)} daN/cm²; "
                f"0,85 · fd = {n(0.85 * fd, 4)} daN/cm²."]
        if v["errore"]:
            out += ["", "## Esito", "",
                    "σ0 ≥ 0,85 · fd: la base si schiaccia prima di ribaltarsi; la verifica si "
                    "ferma con il messaggio \"Verifica non possibile: σ0 (tensione media alla "
                    "base della mensola) non minore di 0.85·fd …\" e non dà risultati.", ""]
        else:
            out += [f"- M_Rd = N · (t/2) · (1 − σ0 / (0,85 · fd)) = {n(v['MRd'], 3)} daN·cm; "
                    f"F_lat,d = 2 · M_Rd / L = **{n(v['Rlat'], 3)} daN** = "
                    f"{n(v['Rlat_u'], 4)} {uf}.", "", "## Esito", "",
                    f"F_lat,d {'≥' if v['Rlat'] >= v['Fa'] else '<'} Fa: "
                    f"**\"{v['verdict']}\"**.", ""]
    ar = v["arco"] or {}
    out += [] if v["mensola"] else ["## Resistenza ad arco", "",
            f"- a = l_a / 2 = {n(ar['a'], 2)} cm, h = 0,9 · t = {n(ar['h'], 3)} cm, "
            f"l0 = l(a, h) = {n(ar['l0'], 5)} cm.",
            f"- Massimo di q(f) su [0; h] (ricerca della sezione aurea, fino a 10⁻¹² cm): "
            f"f_crit = {n(ar['fcrit'], 4)} cm, q_crit = {g6(ar['qcrit'])} daN/cm², "
            f"σ_crit = **{n(ar['scrit'], 3)} daN/cm²**."]
    fd = float(riga["fd"]) * fs
    if v["mensola"]:
        pass
    elif ar["governa"] == "instabilità":
        out += [f"- σ_crit < fd = {n(fd, 3)}: governa l'instabilità; qd = q_crit, f = f_crit, "
                f"K2 = σ_crit / fd = **{n(v['K2'], 4)}**; riferimento (t/l_a)² · σ_crit = "
                f"{g6(ar['rif'])} daN/cm²."]
    else:
        out += [f"- σ_crit ≥ fd = {n(fd, 3)}: governa la resistenza; σ(f) = fd per bisezione su "
                f"[0; f_crit]: f = {n(ar['f'], 5)} cm, qd = q(f) = {g6(ar['qd'])} daN/cm², "
                f"K2 = 1; riferimento (t/l_a)² · fd = {g6(ar['rif'])} daN/cm²."]
    out += [] if v["mensola"] else [
            f"- K1 = qd / riferimento = **{n(v['K1'], 4)}**; d_a = 10 · f = "
            f"**{n(v['d_mm'], 3)} mm**.",
            f"- F_lat,d = qd · B · L = **{n(v['Rlat'], 3)} daN** = {n(v['Rlat_u'], 4)} {uf}.",
            "", "## Esito", "",
            f"F_lat,d {'≥' if v['Rlat'] >= v['Fa'] else '<'} Fa: **\"{v['verdict']}\"**.", ""]

    out += ["## Confronto con il programma", "",
            f"Valori del programma da `torvelando-cli check --json` (non arrotondati, nelle unità "
            f"di lavoro: forze in {uf}, tensioni in {us}); differenza = programma − calcolo a "
            f"mano non arrotondato; il confronto è superato quando il programma dista dal valore "
            f"stampato al più la tolleranza.", "",
            "| grandezza | calcolo | programma | differenza | tolleranza |",
            "|---|---|---|---|---|"]
    r = prog["results"] if prog else None
    fuori = []
    if v["errore"]:
        messaggi = prog.get("messages", []) if prog else []
        uguale = any(attesi[0][1] in m for m in messaggi)
        out = out[:-4] + ["Messaggio di `torvelando-cli check --json` (campo `messages`; uscita "
                          "1, come il calcolo a lotti, la cui riga lo riporta nella colonna "
                          "`errore`):", "",
                          "| messaggio atteso | messaggio del programma | esito |", "|---|---|---|",
                          f"| {attesi[0][1]} … | {'; '.join(messaggi) or '–'} | "
                          f"{'uguale' if uguale else 'DIVERSO'} |", "",
                          "Il programma si ferma come atteso." if uguale else
                          "**Il programma non si ferma come atteso.**", ""]
        return out
    for nome, testo in attesi:
        if nome not in NOMI:
            continue
        valore = float(testo)
        dec = len(testo.split(".")[1]) if "." in testo else 0
        if r is None:
            p, d = "–", "–"
        else:
            p = float(r[JSON[nome]])
            d = g6(p - v[GREZZI[nome]], 2) if p != v[GREZZI[nome]] else "0"
            scarti.append((abs(p - v[GREZZI[nome]]) / max(abs(p), 1e-300), caso, nome,
                           p - v[GREZZI[nome]]))
            if abs(p - valore) > 0.5 * 10 ** -dec * (1 + 1e-9) + 1e-12:
                fuori.append(NOMI[nome])
            p = n(p, dec + 3)
        out.append(f"| {NOMI[nome]} | {testo.replace('.', ',')} | {p} | {d} | "
                   f"{n(0.5 * 10 ** -dec, dec + 1)} |")
    esiti = {"verdict": ("esito", lambda: "> Fa : OK" if r["verdict"] else "< Fa : !!!"),
             "span": ("luce", lambda: r["span"]),
             "fonte": ("fonte", lambda: "griglia" if prog["hazard_source"] == "grid"
                       else f"{prog['hazard_source']} {prog['island']}")}
    for nome, testo in attesi:
        if nome in esiti:
            etichetta, valore = esiti[nome]
            out.append(f"| {etichetta} | {testo} | {valore() if r else '–'} | "
                       f"{'uguale' if r and valore() == testo else '–'} | |")
    if fuori:
        out += ["", f"**Fuori tolleranza:** {', '.join(fuori)}. Il programma con cui è stata "
                f"scritta questa edizione non supera il caso."]
    else:
        out += ["", "Tutti i valori del programma sono entro la tolleranza."]
    if v["nodi"] and prog:
        codici = sorted(nodo["code"] for nodo in prog["nodes"])
        out += ["", f"Nodi del programma: {', '.join(map(str, codici))}"
                + (" (gli stessi quattro)." if codici == sorted(x[0] for x in v["nodi"])
                   else " (DIVERSI).")]
    out.append("")
    return out


def main():
    cli = sys.argv[1]
    casi = sys.argv[2] if len(sys.argv) > 2 else "docs/validazione"
    dati = sys.argv[3] if len(sys.argv) > 3 else "../shared/data"
    uscita = sys.argv[4] if len(sys.argv) > 4 else "docs/manuale_validazione.md"
    punti = calcolo.leggi_griglia(os.path.join(dati, "hazard_grid_ntc2008.txt"))
    gruppi, zone = calcolo.leggi_isole(os.path.join(dati, "islands_ntc2008.txt"))
    with open(os.path.join(casi, "testa.md")) as f:
        testo = f.read().rstrip("\n").split("\n") + [""]
    primo = int(os.environ.get("TV_PRIMO_CAPITOLO", "3"))
    with open(os.path.join(casi, "attesi.csv"), newline="") as f:
        attesi = {}
        for r in csv.DictReader(f):
            attesi.setdefault(r["caso"], []).append((r["grandezza"], r["valore"]))
    scarti = []
    for i, caso in enumerate(sorted(os.listdir(os.path.join(casi, "lavori")))):
        cartella = os.path.join(casi, "lavori", caso)
        unita, g = calcolo.leggi_parametri(cartella)
        with open(os.path.join(cartella, "riga.csv"), newline="") as f:
            riga = next(csv.DictReader(f))
        if (riga.get("verifica") or "pannello").strip().lower() != "pannello":
            v = calcolo.calcola_meccanismi(riga, unita, g, punti, gruppi, zone)
            prog = programma_meccanismo(cli, casi, dati, caso, riga)
            testo += capitolo_meccanismo(primo + i, caso, cartella, riga, unita, g, v,
                                         attesi[caso], prog)
            continue
        v = calcolo.calcola(riga, unita, g, punti, gruppi, zone)
        prog = programma(cli, casi, dati, caso, riga)
        testo += capitolo(primo + i, caso, cartella, riga, unita, g, v, attesi[caso], prog,
                          scarti)
    with open(os.path.join(casi, "limiti.md")) as f:
        testo += f.read().rstrip("\n").split("\n")
    with open(uscita, "w") as f:
        f.write("\n".join(testo) + "\n")
    # The largest relative differences, for the opening chapter.
    for relativo, caso, nome, assoluto in sorted(x for x in scarti if x[1] != 'v13')[::-1]:
        print(f"{caso} {nome}: {assoluto:+.3g} ({relativo:.2g} relativo)")


if __name__ == "__main__":
    main()
